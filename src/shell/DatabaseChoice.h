#pragma once

#include "tables/DatabaseLocation.h"

#include <QString>

#include <variant>

// Which database the program works on: "--database ADRESSE" for this run (and,
// when the window opens, for the next ones too), else the choice remembered
// for this user in Datenbank.ini, else the SQLite file in the data folder.
// "--database datei" goes back to the file.
namespace database_choice {

inline constexpr const char* kLocalFile = "datei";

QString defaultPath();
// Backup and restore work on the file; said where the archive is on a server.
QString serverBackupNotice();
// The German reason when the given address cannot be used.
std::variant<DatabaseLocation, QString> resolve(const QString& dataFolder, const QString& given,
                                                const QString& settingsPath);
// Keeps the given choice for the next starts; false when it cannot be written.
bool remember(const QString& given, const QString& settingsPath);

} // namespace database_choice
