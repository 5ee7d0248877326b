#include "Clock.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QThread>

#include <algorithm>
#include <vector>

// Clicks, keys and close requests that come while the program waits are held
// back and handed to their windows once the wait is over. Qt's own way of
// leaving user input for later keeps it on X11 until some further event
// arrives, so a click during a wait would seem lost.
class HeldInput : public QObject {
public:
    HeldInput() {
        if (QCoreApplication::instance())
            QCoreApplication::instance()->installEventFilter(this);
    }
    ~HeldInput() override {
        for (Held& held : held_)
            delete held.event;
    }

    void hold() { ++depth_; }
    void release() {
        if (--depth_ > 0)
            return;
        std::vector<Held> held;
        held.swap(held_);
        for (Held& each : held) {
            if (each.receiver)
                QCoreApplication::postEvent(each.receiver, each.event);
            else
                delete each.event;
        }
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (depth_ == 0 || !isHeld(receiver, event->type()))
            return false;
        held_.push_back({receiver, event->clone()});
        return true;
    }

private:
    struct Held {
        QPointer<QObject> receiver;
        QEvent* event;
    };

    static bool isHeld(QObject* receiver, QEvent::Type type) {
        switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::Close:
            // Held where the system hands them to a window, before they reach a widget.
            return receiver->isWindowType();
        case QEvent::Shortcut:
            return true;
        default:
            return false;
        }
    }

    int depth_ = 0;
    std::vector<Held> held_;
};

RealClock::RealClock()
    : heldInput_(std::make_unique<HeldInput>()) {
    sinceStart_.start();
}

RealClock::~RealClock() = default;

std::int64_t RealClock::now() const {
    return sinceStart_.elapsed();
}

void RealClock::wait(int milliseconds) {
    const std::int64_t end = now() + std::max(milliseconds, 0);
    heldInput_->hold();
    do {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
        const std::int64_t left = end - now();
        if (left > 0)
            QThread::msleep(static_cast<unsigned long>(std::min<std::int64_t>(left, 5)));
    } while (now() < end);
    heldInput_->release();
}
