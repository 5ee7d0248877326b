#pragma once

#include "SerialDevice.h"

#include <QString>
#include <QStringList>

#include <array>
#include <map>

// Which device each of the slots COM1..COM6 stands for. Ports named on the
// command line or remembered from the port selection take their slots; the
// serial ports found on the machine fill the free slots in a stable order
// (ttyS0, ttyS1, …, ttyUSB0, …), each device once, whatever name it is bound by.
class PortSlots {
public:
    // Slot index 0..5 → device path, as given with --port COMn=DEVICE.
    using Bindings = std::map<int, QString>;

    PortSlots() = default;
    PortSlots(const QStringList& foundDevices, const Bindings& explicitBindings);
    // Looks for the machine's serial ports.
    static PortSlots discover(const Bindings& explicitBindings);

    // The device path, empty when the slot is free.
    QString device(int index) const;
    void bind(int index, const QString& device);

    // The machine's serial ports under the names that survive replugging
    // (/dev/serial/by-id/…) where they have one.
    static QStringList availableDevices();
    // The name in byIdFolder that leads to device, or device itself.
    static QString stableName(const QString& device, const QString& byIdFolder);

private:
    std::array<QString, kPortCount> devices_;
};
