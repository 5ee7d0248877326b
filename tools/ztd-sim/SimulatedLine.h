#pragma once

#include "TestSerial.h"
#include "TesterModel.h"

#include <cstdint>

class Clock;

// A serial line with the simulated tester at its far end, in virtual time:
// what the program sends reaches the model at once, and its answers arrive
// after their delays. Slot COM1 leads to it.
class SimulatedLine {
public:
    SimulatedLine(TesterConfig config, const Clock& clock);

    TestSerialPorts& ports() { return ports_; }
    TestSerialDevice& device() { return device_; }
    TesterModel& model() { return model_; }
    // A key pressed at the tester, reported to the program now.
    void pressKey(std::uint8_t key);

private:
    void schedule(const Emissions& emissions);

    const Clock& clock_;
    TesterModel model_;
    TestSerialDevice device_;
    TestSerialPorts ports_;
    std::int64_t lastDue_ = 0;
};
