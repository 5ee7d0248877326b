#include "PortSlots.h"

#include <QSerialPortInfo>

#include <algorithm>
#include <utility>

namespace {
// "/dev/ttyS10" → ("/dev/ttyS", 10), so ttyS2 sorts before ttyS10.
std::pair<QString, int> naturalKey(const QString& device) {
    qsizetype digits = device.size();
    while (digits > 0 && device.at(digits - 1).isDigit())
        --digits;
    return {device.left(digits), device.mid(digits).toInt()};
}
} // namespace

PortSlots::PortSlots(const QStringList& foundDevices, const Bindings& explicitBindings) {
    for (const auto& [index, device] : explicitBindings)
        if (index >= 0 && index < kPortCount)
            devices_.at(index) = device;

    QStringList found = foundDevices;
    std::sort(found.begin(), found.end(),
              [](const QString& a, const QString& b) { return naturalKey(a) < naturalKey(b); });
    auto next = found.cbegin();
    for (QString& device : devices_) {
        if (!device.isEmpty())
            continue;
        while (next != found.cend() &&
               std::find(devices_.begin(), devices_.end(), *next) != devices_.end())
            ++next;
        if (next == found.cend())
            break;
        device = *next++;
    }
}

PortSlots PortSlots::discover(const Bindings& explicitBindings) {
    QStringList found;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts())
        found << port.systemLocation();
    return PortSlots(found, explicitBindings);
}

QString PortSlots::device(int index) const {
    return index >= 0 && index < kPortCount ? devices_.at(index) : QString();
}
