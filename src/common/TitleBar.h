#pragma once

class QWidget;

// Qt gives every title bar with minimise or maximise buttons a system menu,
// whatever flags the window asked for. A window that must have neither a menu
// nor a close button takes it out again with this, before it is first shown.
void removeSystemMenu(QWidget& window);
