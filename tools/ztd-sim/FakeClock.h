#pragma once

#include "tester/Clock.h"

#include <cstdint>
#include <functional>

// Virtual time for tests: wait() advances it at once. An observer sees every
// step, so a simulated tester can act while the program waits.
class FakeClock : public Clock {
public:
    std::int64_t now() const override { return now_; }
    void wait(int milliseconds) override;
    void setObserver(std::function<void(std::int64_t now)> observer) {
        observer_ = std::move(observer);
    }

private:
    std::int64_t now_ = 0;
    std::function<void(std::int64_t)> observer_;
};
