#pragma once

#include "SerialDevice.h"

#include <QString>
#include <QStringList>

#include <optional>

class SerialLine;

// The chosen port and how it is opened; loaded once at start, changed only
// when the user confirms the port selection.
struct PortSettings {
    int portIndex = 0;
    // List selection when the port selection was last shown, for "&Abbrechen".
    int savedIndex = 0;
    LineSettings line;
    int inputQueueSize = 0;
    int outputQueueSize = 0;
};

// "COM.FIL" keeps the chosen port as one ASCII digit, '1' for COM1 … '6' for
// COM6, without a line end, in the working directory.
namespace com_file {
inline const QString kFileName = QStringLiteral("COM.FIL");
// The file's first byte; nothing when it is missing, unreadable or empty.
std::optional<char> read(const QString& path);
// Replaces the file as a whole; false when it cannot be written.
bool write(const QString& path, int portIndex);
} // namespace com_file

struct PortList {
    // One entry per slot: its name when the port exists, else "COMX".
    QStringList entries;
    int selection = 0;
};

// Fills the port list, reads the saved choice (falling back to COM1 when the
// saved port is absent) and sets up the line settings.
PortList loadPortSettings(const SerialLine& line, const QString& comFilePath,
                          PortSettings& settings);
