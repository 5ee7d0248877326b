#pragma once

#include "LineSettings.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

// One open serial port: exactly what the line needs of the operating system.
class SerialDevice {
public:
    virtual ~SerialDevice() = default;
    // A device without modem lines (a pseudo-terminal) reports CTS on.
    virtual bool ctsOn() = 0;
    // Bytes waiting in the input queue; clears a pending line error.
    virtual int bytesWaiting() = 0;
    virtual int bytesToSend() = 0;
    // Reads at most maxBytes of the waiting bytes, never blocking.
    virtual int read(std::uint8_t* buffer, int maxBytes) = 0;
    virtual bool writeByte(std::uint8_t byte) = 0;
    virtual bool close() = 0;
};

// The serial ports of the machine, as the six slots COM1..COM6 (index 0..5).
class SerialPorts {
public:
    virtual ~SerialPorts() = default;
    virtual bool exists(int index) const = 0;
    // The device bound to the slot, for showing it; empty when none is bound.
    virtual QString deviceOf(int index) const = 0;
    // Opens the port exclusively; null when it is absent, busy or refuses the settings.
    virtual std::unique_ptr<SerialDevice> open(int index, const LineSettings& settings,
                                               int inputQueueSize, int outputQueueSize) = 0;
    // Why the last open of the slot failed, with what the user can do about it,
    // where the system told more than "cannot be opened"; empty otherwise.
    virtual QString openProblem(int index) const = 0;
    // The serial devices the machine has, named as they are best remembered.
    virtual QStringList availableDevices() const = 0;
    // Binds the slot to another device (empty: none) for the rest of the run.
    virtual void bind(int index, const QString& device) = 0;
};

inline constexpr int kPortCount = 6;

// "COM1" … "COM6" for index 0..5.
inline QString portName(int index) {
    return QStringLiteral("COM%1").arg(index + 1);
}
