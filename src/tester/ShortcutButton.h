#pragma once

#include <QPushButton>

// A push button whose keyboard shortcut clicks it at once, as the mouse does.
// Qt's own shortcut click comes 100 ms later from a timer, and a timer may
// fire in the middle of an exchange with the tester, where no click belongs.
class ShortcutButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    bool event(QEvent* event) override;
};
