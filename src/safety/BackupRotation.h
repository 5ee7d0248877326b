#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

// The automatic backups in the data folder's "backups" folder: named by the
// time they were taken, the newest ten kept and, for a year back, the newest
// of each month.
namespace backup_rotation {

inline constexpr int kKeptNewest = 10;

QString folderName();
// "ztd-2026-12-11-075930.sqlite"
QString automaticName(const QDateTime& taken);
// The time in an automatic backup's name; nothing for any other file.
std::optional<QDateTime> takenAt(const QString& fileName);

// Of the file names, the automatic backups that the rotation lets go.
QStringList toRemove(const QStringList& fileNames, const QDateTime& now);

// The newest automatic backup in the folder, as a path; empty when there is none.
QString newest(const QString& backupFolder);

} // namespace backup_rotation
