#include "TitleBar.h"

#include <QWidget>

void removeSystemMenu(QWidget& window) {
    // Setting the flags the usual way would add the menu back.
    window.overrideWindowFlags(window.windowFlags() & ~Qt::WindowSystemMenuHint);
}
