#pragma once

class QObject;
class QWidget;

// Help topics. A window or menu item carries its topic as a property, so F1
// anywhere finds the page that belongs to it.
namespace help {

enum Context : int {
    None = 0,
    FileMenu = 4005,
    PortSelection = 4010,
    RemoteControlAndReport = 4015,
    Addresses = 4020,
    Archive = 4025,
};

void setContext(QObject& object, int context);
// The object's own topic, 0 when it has none.
int contextOf(const QObject& object);
// The topic of the widget or of the nearest window or widget around it that has one.
int contextAround(const QWidget* widget);

} // namespace help
