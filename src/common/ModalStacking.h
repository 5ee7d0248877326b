#pragma once

#include <QObject>

// The program's windows are made once with the main window as parent, but are
// opened from each other: the archive opens the wizard, the wizard the
// customer lookup. A window manager stacks a window over the one it belongs
// to, so each window shown while another modal window is open is made to
// belong to that one; otherwise the main window would come up over the
// window that asked. Installed on the application.
class ModalStacking : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
