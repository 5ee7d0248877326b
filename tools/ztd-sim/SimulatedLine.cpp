#include "SimulatedLine.h"

#include "tester/Clock.h"

#include <algorithm>

SimulatedLine::SimulatedLine(TesterConfig config, const Clock& clock)
    : clock_(clock)
    , model_(std::move(config))
    , device_(clock)
    , ports_(device_) {
    ports_.setPresent(0, true);
    if (model_.config().ctsNeverOn)
        device_.setCtsOnFrom(TestSerialDevice::kNever);
    device_.setOnWrite([this](std::uint8_t byte) { schedule(model_.receive(byte)); });
}

void SimulatedLine::pressKey(std::uint8_t key) {
    schedule(model_.pressKey(key));
}

void SimulatedLine::schedule(const Emissions& emissions) {
    for (const Emission& e : emissions) {
        lastDue_ = std::max(lastDue_, clock_.now()) + e.delayMs;
        device_.deliver(e.bytes, lastDue_);
    }
}
