#pragma once

#include "print/RecordingPrintTarget.h"

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
