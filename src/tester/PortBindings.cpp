#include "PortBindings.h"

#include "SerialDevice.h"

#include <QSettings>
#include <QStandardPaths>

namespace port_bindings {

QString defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           QStringLiteral("/Schnittstellen.ini");
}

PortSlots::Bindings load(const QString& path) {
    PortSlots::Bindings bindings;
    const QSettings file(path, QSettings::IniFormat);
    for (int index = 0; index < kPortCount; ++index) {
        const QString device = file.value(portName(index)).toString();
        if (!device.isEmpty())
            bindings[index] = device;
    }
    return bindings;
}

bool save(const QString& path, const PortSlots::Bindings& bindings) {
    QSettings file(path, QSettings::IniFormat);
    file.clear();
    for (const auto& [index, device] : bindings)
        if (!device.isEmpty())
            file.setValue(portName(index), device);
    file.sync();
    return file.status() == QSettings::NoError;
}

} // namespace port_bindings
