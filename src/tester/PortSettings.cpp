#include "PortSettings.h"

#include "SerialLine.h"

#include <QFile>
#include <QSaveFile>

std::optional<char> com_file::read(const QString& path) {
    QFile file(path);
    char byte = 0;
    if (!file.open(QIODevice::ReadOnly) || !file.getChar(&byte))
        return std::nullopt;
    return byte;
}

bool com_file::write(const QString& path, int portIndex) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.putChar(static_cast<char>('1' + portIndex));
    return file.commit();
}

PortList loadPortSettings(const SerialLine& line, const QString& comFilePath,
                          PortSettings& settings) {
    PortList list;
    for (int index = 0; index < kPortCount; ++index)
        list.entries << (line.portExists(index) ? portName(index) : QStringLiteral("COMX"));

    // Without a readable file the byte stays 0, which names no port.
    const char saved = com_file::read(comFilePath).value_or(0);
    settings.portIndex = saved - '1';
    if (!line.portExists(settings.portIndex))
        settings.portIndex = 0;
    if (line.portExists(settings.portIndex))
        list.selection = settings.portIndex;

    settings.line = LineSettings::fromModeText(QStringLiteral("baud=9600 parity=N data=8 stop=1"));
    settings.line.adjustForTester();
    settings.inputQueueSize = SerialLine::kQueueSize;
    settings.outputQueueSize = SerialLine::kQueueSize;
    return list;
}
