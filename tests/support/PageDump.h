#pragma once

#include "print/RecordingPrintTarget.h"

#include <QByteArray>
#include <QString>

// A printed page as text, one operation per line with its positions, font
// and pen, in the order drawn: the form golden page files keep.
inline QByteArray pageDump(const RecordingPrintTarget::Job& job) {
    QString dump =
        QStringLiteral("job \"%1\" %2\n")
            .arg(job.settings.title, job.settings.orientation == TXPrinterOrientation::xpoPortrait
                                         ? QStringLiteral("portrait")
                                         : QStringLiteral("landscape"));
    const auto box = [](const CanvasOp& op) {
        return QStringLiteral("%1,%2 %3,%4").arg(op.x1).arg(op.y1).arg(op.x2).arg(op.y2);
    };
    for (const CanvasOp& op : job.ops) {
        switch (op.kind) {
        case CanvasOp::Kind::Text: {
            const CanvasFont& f = op.font;
            QString style;
            style += f.bold ? u'b' : u'-';
            style += f.italic ? u'i' : u'-';
            style += f.underline ? u'u' : u'-';
            style += f.pitch == FontPitch::Fixed      ? u'f'
                     : f.pitch == FontPitch::Variable ? u'v'
                                                      : u'-';
            dump += QStringLiteral("text %1,%2 \"%3\" %4pt %5 h%6: %7\n")
                        .arg(op.x1)
                        .arg(op.y1)
                        .arg(f.name)
                        .arg(f.size)
                        .arg(style)
                        .arg(op.fontHeight)
                        .arg(op.text);
            break;
        }
        case CanvasOp::Kind::Line:
            dump += QStringLiteral("line %1 pen %2\n").arg(box(op)).arg(op.penWidth);
            break;
        case CanvasOp::Kind::Rectangle:
            dump += QStringLiteral("rectangle %1\n").arg(box(op));
            break;
        case CanvasOp::Kind::Frame:
            dump += QStringLiteral("frame %1 pen %2\n").arg(box(op)).arg(op.penWidth);
            break;
        case CanvasOp::Kind::Fill:
            dump += QStringLiteral("fill %1\n").arg(box(op));
            break;
        }
    }
    return dump.toUtf8();
}
