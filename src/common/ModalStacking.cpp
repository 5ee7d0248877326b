#include "ModalStacking.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QWindow>

bool ModalStacking::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Show)
        return false;
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (!dialog || !dialog->isWindow() || !dialog->parentWidget() || !dialog->windowHandle())
        return false;
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner || owner == dialog)
        owner = dialog->parentWidget()->window();
    if (owner->windowHandle())
        dialog->windowHandle()->setTransientParent(owner->windowHandle());
    return false;
}
