#include "BackupCommands.h"
#include "ConsolePrompter.h"

#include "safety/BackupSteps.h"
#include "safety/DatabaseCopy.h"
#include "safety/InstanceLock.h"
#include "tables/TableStore.h"

#include <QDateTime>
#include <QDir>

namespace console_commands {

namespace {
QString databasePath(const QString& dataDirectory) {
    return QDir(dataDirectory).filePath(TableStore::fileName());
}
} // namespace

int backupArchive(const QString& dataDirectory, const QString& target) {
    const database_copy::Outcome outcome =
        database_copy::copy(databasePath(dataDirectory), target, database_copy::Check::Full);
    if (outcome.error) {
        say(*outcome.error);
        return 1;
    }
    say(QStringLiteral("Gesichert: ") + database_copy::countsText(outcome.counts));
    return 0;
}

int restoreArchive(const QString& dataDirectory, const QString& backup) {
    InstanceLock lock(dataDirectory);
    if (const auto held = lock.acquire()) {
        say(*held);
        return 1;
    }
    const database_copy::Outcome checked =
        database_copy::inspect(backup, database_copy::Check::Full);
    if (checked.error) {
        say(backup_steps::refusal(backup, *checked.error));
        return 1;
    }
    const backup_steps::Restored restored = backup_steps::replaceFromBackup(
        backup, databasePath(dataDirectory), QDateTime::currentDateTime());
    if (restored.error) {
        say(*restored.error);
        return 1;
    }
    say(QStringLiteral("Zurückgeladen: ") + database_copy::countsText(checked.counts));
    if (!restored.keptAs.isEmpty())
        say(QStringLiteral("Die Daten von vorher liegen in \"%1\".")
                .arg(QDir::toNativeSeparators(restored.keptAs)));
    return 0;
}

} // namespace console_commands
