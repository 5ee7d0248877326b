#include "WindowScaling.h"

#include <QScreen>
#include <QWidget>

int scaledLength(int length, int pixelsPerInch) {
    return (pixelsPerInch * 100 / 96) * length / 100;
}

void scaleWindow(QWidget& window) {
    // Qt already maps device pixels for high-density screens; its logical
    // pixels per inch are what is left for the window to follow.
    const QScreen* screen = window.screen();
    const int ppi = screen ? qRound(screen->logicalDotsPerInch()) : 96;
    window.resize(scaledLength(window.width(), ppi), scaledLength(window.height(), ppi));
}
