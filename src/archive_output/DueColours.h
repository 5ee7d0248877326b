#pragma once

#include <QColor>

// The backgrounds of due devices, in the due window and the archive grid.
namespace due_colours {

inline QColor overdue() {
    return QColor(0xF4, 0xB4, 0xB4);
}
inline QColor dueSoon() {
    return QColor(0xFF, 0xD9, 0x8A);
}

} // namespace due_colours
