#pragma once

#include <QScreen>
#include <QStyle>
#include <QWidget>

// The search, filter and sort dialogs open in the middle of the screen,
// wherever the archive window stands. The inner area is placed, so that the
// place does not depend on whether the frame is known yet.
inline void centreOnScreen(QWidget& window) {
    if (const QScreen* screen = window.screen())
        window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(),
                                               screen->availableGeometry()));
}
