#pragma once

#include <QDialog>
#include <QTimer>

#include <functional>

// Stands in for one of the program's dialogs that another window opens: it
// runs its action when shown, then closes as accepted.
class ScriptedDialog : public QDialog {
public:
    std::function<void()> action;
    int shown = 0;

protected:
    void showEvent(QShowEvent* event) override {
        ++shown;
        QDialog::showEvent(event);
        QTimer::singleShot(0, this, [this] {
            if (action)
                action();
            accept();
        });
    }
};
