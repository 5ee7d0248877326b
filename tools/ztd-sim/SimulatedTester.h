#pragma once

#include "TestSerial.h"
#include "TesterSimulator.h"

#include <cstdint>

class Clock;

// The simulated tester on the other end of a test serial line, in virtual
// time: what the program sends reaches the simulator at once, and its
// answers arrive after their delays. Slot COM1 leads to it.
class SimulatedTester {
public:
    SimulatedTester(TesterConfig config, const Clock& clock);

    SerialPorts& ports() { return ports_; }
    TestSerialDevice& device() { return device_; }
    TesterSimulator& model() { return model_; }
    // A key pressed at the tester, reported to the program now.
    void pressKey(std::uint8_t key);
    // Everything the tester has sent so far or will send, in order.
    const QByteArray& output() const { return output_; }

private:
    void schedule(const Emissions& emissions);

    const Clock& clock_;
    TesterSimulator model_;
    TestSerialDevice device_;
    TestSerialPorts ports_;
    std::int64_t lastDue_ = 0;
    QByteArray output_;
};
