#pragma once

#include <QList>
#include <QMap>
#include <QString>

#include <optional>

// The version block a build stamps into the program: string tables per
// translation, the translation list and the fixed block with the file flags.
struct VersionResource {
    // Language in the high, code page in the low 16 bits.
    QList<quint32> translations;
    // Keyed by translation as eight lower-case hex digits, then by value name.
    QMap<QString, QMap<QString, QString>> stringTables;
    std::optional<quint32> fileFlags;
};

// The program's own block; nothing when the build stamped none.
std::optional<VersionResource> programVersionResource();
