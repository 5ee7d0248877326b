#pragma once

#include "print/PainterCanvas.h"
#include "print/RecordingPrintTarget.h"

#include <QFontMetricsF>
#include <QRectF>
#include <QStringList>

// The texts of every printed page as "x,y:text", for compact assertions on
// positions.
inline QList<QStringList> pageTexts(const RecordingPrintTarget& target) {
    QList<QStringList> pages;
    for (const auto& job : target.jobs()) {
        QStringList texts;
        for (const CanvasOp& op : job.ops)
            if (op.kind == CanvasOp::Kind::Text)
                texts << QStringLiteral("%1,%2:%3").arg(op.x1).arg(op.y1).arg(op.text);
        pages << texts;
    }
    return pages;
}

// The texts that a white box drawn after them covers, wholly or in part, as
// "x,y:text". A text is as wide as its font prints it.
inline QStringList coveredTexts(const QList<CanvasOp>& ops) {
    QStringList covered;
    for (qsizetype box = 0; box < ops.size(); ++box) {
        if (ops[box].kind != CanvasOp::Kind::Rectangle)
            continue;
        const QRectF area =
            QRectF(QPointF(ops[box].x1, ops[box].y1), QPointF(ops[box].x2, ops[box].y2))
                .normalized();
        for (qsizetype i = 0; i < box; ++i) {
            const CanvasOp& text = ops[i];
            if (text.kind != CanvasOp::Kind::Text || text.text.trimmed().isEmpty())
                continue;
            const QFontMetricsF metrics(PainterCanvas::qtFont(text.font, text.fontHeight));
            const QRectF extent(text.x1, text.y1, metrics.horizontalAdvance(text.text),
                                text.fontHeight);
            if (area.intersects(extent))
                covered << QStringLiteral("%1,%2:%3").arg(text.x1).arg(text.y1).arg(text.text);
        }
    }
    return covered;
}
