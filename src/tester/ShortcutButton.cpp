#include "ShortcutButton.h"

#include <QShortcutEvent>

bool ShortcutButton::event(QEvent* event) {
    // An ambiguous shortcut only moves the focus, as Qt does it.
    if (event->type() == QEvent::Shortcut) {
        const auto* shortcutEvent = static_cast<QShortcutEvent*>(event);
        if (shortcutEvent->key() == shortcut() && !shortcutEvent->isAmbiguous()) {
            click();
            return true;
        }
    }
    return QPushButton::event(event);
}
