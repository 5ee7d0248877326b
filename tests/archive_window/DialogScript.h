#pragma once

#include <QDialog>
#include <QEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

// Works a real dialog while it is shown modally: each showing runs the next
// step, which has to close the dialog by one of its buttons.
class DialogScript : public QObject {
public:
    explicit DialogScript(QDialog& dialog)
        : dialog_(dialog) {
        dialog.installEventFilter(this);
    }
    void then(std::function<void()> step) { steps_.push_back(std::move(step)); }
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &dialog_ && event->type() == QEvent::Show) {
            ++shown;
            QTimer::singleShot(0, this, [this] {
                if (!steps_.empty()) {
                    const auto step = std::move(steps_.front());
                    steps_.pop_front();
                    step();
                }
                if (dialog_.isVisible()) {
                    ADD_FAILURE() << dialog_.objectName().toStdString() << " stayed open";
                    dialog_.QDialog::reject();
                }
            });
        }
        return false;
    }

private:
    QDialog& dialog_;
    std::deque<std::function<void()>> steps_;
};
