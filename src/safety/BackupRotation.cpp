#include "BackupRotation.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>
#include <utility>

namespace backup_rotation {

namespace {
const QString kTimeFormat = QStringLiteral("yyyy-MM-dd-HHmmss");

// Automatic backups, newest first.
QList<std::pair<QDateTime, QString>> automaticBackups(const QStringList& fileNames) {
    QList<std::pair<QDateTime, QString>> backups;
    for (const QString& name : fileNames)
        if (const auto taken = takenAt(name))
            backups.append({*taken, name});
    std::sort(backups.begin(), backups.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    return backups;
}
} // namespace

QString folderName() {
    return QStringLiteral("backups");
}

QString automaticName(const QDateTime& taken) {
    return QStringLiteral("ztd-%1.sqlite").arg(taken.toString(kTimeFormat));
}

std::optional<QDateTime> takenAt(const QString& fileName) {
    static const QRegularExpression form(
        QStringLiteral("^ztd-(\\d{4}-\\d{2}-\\d{2}-\\d{6})\\.sqlite$"));
    const auto match = form.match(fileName);
    if (!match.hasMatch())
        return std::nullopt;
    const QDateTime taken = QDateTime::fromString(match.captured(1), kTimeFormat);
    return taken.isValid() ? std::optional(taken) : std::nullopt;
}

QStringList toRemove(const QStringList& fileNames, const QDateTime& now) {
    const QDateTime yearAgo = now.addYears(-1);
    QStringList removed;
    QList<QDate> monthsKept;
    const auto backups = automaticBackups(fileNames);
    for (qsizetype i = 0; i < backups.size(); ++i) {
        const auto& [taken, name] = backups[i];
        const QDate month(taken.date().year(), taken.date().month(), 1);
        // Newest first: the first one met in a month is that month's newest.
        const bool monthly = taken > yearAgo && !monthsKept.contains(month);
        if (monthly)
            monthsKept << month;
        if (i >= kKeptNewest && !monthly)
            removed << name;
    }
    return removed;
}

QString newest(const QString& backupFolder) {
    const QDir folder(backupFolder);
    const auto backups = automaticBackups(folder.entryList(QDir::Files));
    return backups.isEmpty() ? QString() : folder.filePath(backups.first().second);
}

} // namespace backup_rotation
