#pragma once

#include "PortSlots.h"
#include "SerialDevice.h"

// The machine's serial ports through POSIX termios: real adapters
// (/dev/ttyS*, /dev/ttyUSB*) and pseudo-terminals alike.
class TermiosSerialPorts : public SerialPorts {
public:
    explicit TermiosSerialPorts(const PortSlots& portSlots)
        : slots_(portSlots) {}

    bool exists(int index) const override;
    QString deviceOf(int index) const override { return slots_.device(index); }
    // Queue sizes are the driver's business on POSIX systems and are not set.
    std::unique_ptr<SerialDevice> open(int index, const LineSettings& settings, int inputQueueSize,
                                       int outputQueueSize) override;

private:
    PortSlots slots_;
};
