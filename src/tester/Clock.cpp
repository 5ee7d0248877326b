#include "Clock.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>

RealClock::RealClock() {
    sinceStart_.start();
}

std::int64_t RealClock::now() const {
    return sinceStart_.elapsed();
}

void RealClock::wait(int milliseconds) {
    const std::int64_t end = now() + std::max(milliseconds, 0);
    do {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        const std::int64_t left = end - now();
        if (left > 0)
            QThread::msleep(static_cast<unsigned long>(std::min<std::int64_t>(left, 5)));
    } while (now() < end);
}

void FakeClock::wait(int milliseconds) {
    now_ += std::max(milliseconds, 0);
    if (observer_)
        observer_(now_);
}
