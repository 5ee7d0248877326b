#pragma once

#include <QScreen>
#include <QWidget>

// The search, filter and sort dialogs open in the middle of the screen,
// wherever the archive window stands.
inline void centreOnScreen(QWidget& window) {
    if (const QScreen* screen = window.screen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}
