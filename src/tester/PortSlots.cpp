#include "PortSlots.h"

#include <QDir>
#include <QFileInfo>
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

// One key for a device whatever name it is bound by (a by-id link, the device).
QString sameDeviceKey(const QString& device) {
    const QString canonical = QFileInfo(device).canonicalFilePath();
    return canonical.isEmpty() ? device : canonical;
}
} // namespace

PortSlots::PortSlots(const QStringList& foundDevices, const Bindings& explicitBindings) {
    QStringList bound;
    for (const auto& [index, device] : explicitBindings) {
        if (index >= 0 && index < kPortCount) {
            devices_.at(index) = device;
            bound << sameDeviceKey(device);
        }
    }

    QStringList found;
    for (const QString& device : foundDevices)
        if (!bound.contains(sameDeviceKey(device)))
            found << device;
    std::sort(found.begin(), found.end(),
              [](const QString& a, const QString& b) { return naturalKey(a) < naturalKey(b); });
    auto next = found.cbegin();
    for (QString& device : devices_) {
        if (next == found.cend())
            break;
        if (device.isEmpty())
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

void PortSlots::bind(int index, const QString& device) {
    if (index >= 0 && index < kPortCount)
        devices_.at(index) = device;
}

QStringList PortSlots::availableDevices() {
    QStringList found;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts())
        found << port.systemLocation();
    std::sort(found.begin(), found.end(),
              [](const QString& a, const QString& b) { return naturalKey(a) < naturalKey(b); });
    for (QString& device : found)
        device = stableName(device, QStringLiteral("/dev/serial/by-id"));
    return found;
}

QString PortSlots::stableName(const QString& device, const QString& byIdFolder) {
    const QString key = sameDeviceKey(device);
    const QDir folder(byIdFolder);
    for (const QString& name : folder.entryList(QDir::System | QDir::Files, QDir::Name))
        if (sameDeviceKey(folder.filePath(name)) == key)
            return folder.filePath(name);
    return device;
}
