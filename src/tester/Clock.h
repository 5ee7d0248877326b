#pragma once

#include <QElapsedTimer>

#include <cstdint>
#include <memory>

// Milliseconds since the program started, and waiting. Protocol code waits only
// through a Clock, so tests can run its long pauses in virtual time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t now() const = 0;
    virtual void wait(int milliseconds) = 0;
};

class HeldInput;

// Wall-clock time. While it waits the windows stay painted and timers tick,
// but user input waits until the wait is over and then arrives in order.
class RealClock : public Clock {
public:
    RealClock();
    ~RealClock() override;
    std::int64_t now() const override;
    void wait(int milliseconds) override;

private:
    QElapsedTimer sinceStart_;
    std::unique_ptr<HeldInput> heldInput_;
};
