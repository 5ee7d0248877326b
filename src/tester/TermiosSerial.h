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
    QString openProblem(int index) const override;
    QStringList availableDevices() const override { return PortSlots::availableDevices(); }
    void bind(int index, const QString& device) override { slots_.bind(index, device); }

private:
    PortSlots slots_;
    // The slot whose last open the system refused for lack of permission.
    int deniedSlot_ = -1;
};
