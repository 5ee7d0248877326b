#include "BackupSteps.h"

#include "BackupRotation.h"
#include "common/Prompter.h"
#include "tables/TableStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace backup_steps {

namespace {

const QString kFilter = QStringLiteral("Datensicherungen (*.sqlite)|*.sqlite");
const QString kSuffix = QStringLiteral("sqlite");
const QString kRestoreCaption = QStringLiteral("Datensicherung zurückladen");
const QString kFileTime = QStringLiteral("yyyy-MM-dd-HHmmss");

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString backupFolder(const QString& databasePath) {
    return QFileInfo(databasePath).dir().filePath(backup_rotation::folderName());
}

// The damaged file and the log beside it move aside together, never overwritten.
bool moveAside(const QString& databasePath, const QString& keptAs) {
    for (const QString& part : {QStringLiteral("-wal"), QStringLiteral("-shm")})
        if (QFileInfo::exists(databasePath + part) &&
            !QFile::rename(databasePath + part, keptAs + part))
            return false;
    return QFile::rename(databasePath, keptAs);
}

void offerNewestBackup(Prompter& prompter, const QString& databasePath, const QDateTime& now) {
    const QString newest = backup_rotation::newest(backupFolder(databasePath));
    if (newest.isEmpty())
        return;
    const database_copy::Outcome checked =
        database_copy::inspect(newest, database_copy::Check::Quick);
    if (checked.error)
        return;
    const QString keptAs = databasePath + QStringLiteral(".beschädigt-") + now.toString(kFileTime);
    const QString question =
        QStringLiteral("Die Datenbank \"%1\" ist beschädigt und kann nicht gelesen werden.\n\n"
                       "Soll die neueste automatische Datensicherung vom %2 (%3) zurückgeladen "
                       "werden? Die beschädigte Datei bleibt als \"%4\" erhalten.")
            .arg(shown(databasePath),
                 backup_rotation::takenAt(QFileInfo(newest).fileName())
                     ->toString(QStringLiteral("dd.MM.yyyy HH:mm")),
                 database_copy::countsText(checked.counts), shown(keptAs));
    if (prompter.message(question, QStringLiteral("Datenbank beschädigt"),
                         Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return;
    if (!moveAside(databasePath, keptAs)) {
        showError(prompter, QStringLiteral("Die beschädigte Datenbank \"%1\" lässt sich nicht "
                                           "umbenennen.")
                                .arg(shown(databasePath)));
        return;
    }
    const database_copy::Outcome copied =
        database_copy::copy(newest, databasePath, database_copy::Check::Quick);
    if (copied.error)
        showError(prompter, *copied.error);
}

} // namespace

void showError(Prompter& prompter, const QString& text) {
    prompter.message(text, QStringLiteral("Fehler"), Prompter::Buttons::Ok);
}

QString refusal(const QString& file, const QString& reason) {
    return QStringLiteral("Die Datei \"%1\" kann nicht zurückgeladen werden: %2")
        .arg(shown(file), reason);
}

void backUp(Prompter& prompter, const QString& databasePath, const QDateTime& now) {
    const Prompter::FileDialog dialog{
        QStringLiteral("Datensicherung speichern"), kFilter, kSuffix,
        QStringLiteral("ztd-Datensicherung-%1.sqlite").arg(now.toString(kFileTime)), true};
    const auto target = prompter.saveFile(dialog);
    if (!target)
        return;
    const database_copy::Outcome outcome =
        database_copy::copy(databasePath, *target, database_copy::Check::Full);
    if (outcome.error) {
        showError(prompter, *outcome.error);
        return;
    }
    prompter.message(QStringLiteral("Gesichert: %1\n\nDie Datensicherung \"%2\" ist geschrieben "
                                    "und geprüft.")
                         .arg(database_copy::countsText(outcome.counts), shown(*target)),
                     QStringLiteral("Datensicherung"), Prompter::Buttons::Ok);
}

Restored replaceFromBackup(const QString& backup, const QString& databasePath,
                           const QDateTime& now) {
    Restored restored;
    if (QFileInfo::exists(databasePath)) {
        const QString folder = backupFolder(databasePath);
        QDir().mkpath(folder);
        restored.keptAs = QDir(folder).filePath(
            QStringLiteral("ztd-vor-Zurückladen-%1.sqlite").arg(now.toString(kFileTime)));
        const database_copy::Outcome kept =
            database_copy::copy(databasePath, restored.keptAs, database_copy::Check::Quick);
        if (kept.error) {
            restored.error = *kept.error;
            return restored;
        }
    }
    restored.error = database_copy::restore(backup, databasePath);
    return restored;
}

bool restore(Prompter& prompter, const QString& databasePath, const QDateTime& now) {
    const auto backup = prompter.openFile({kRestoreCaption, kFilter, kSuffix, {}});
    if (!backup)
        return false;
    const database_copy::Outcome checked =
        database_copy::inspect(*backup, database_copy::Check::Full);
    if (checked.error) {
        showError(prompter, refusal(*backup, *checked.error));
        return false;
    }
    const QString question =
        QStringLiteral("Die Datensicherung \"%1\" vom %2 enthält %3.\n\nDie jetzigen Daten werden "
                       "zuerst gesichert und dann durch die Datensicherung ersetzt. Zurückladen?")
            .arg(shown(*backup),
                 QFileInfo(*backup).lastModified().toString(QStringLiteral("dd.MM.yyyy HH:mm")),
                 database_copy::countsText(checked.counts));
    if (prompter.message(question, kRestoreCaption, Prompter::Buttons::YesNo) !=
        Prompter::Answer::Yes)
        return false;
    const Restored restored = replaceFromBackup(*backup, databasePath, now);
    if (restored.error) {
        showError(prompter, *restored.error);
        return false;
    }
    prompter.message(QStringLiteral("Zurückgeladen: %1\n\nDie Daten von vorher liegen in \"%2\".")
                         .arg(database_copy::countsText(checked.counts), shown(restored.keptAs)),
                     kRestoreCaption, Prompter::Buttons::Ok);
    return true;
}

StartCopy::StartCopy(database_copy::Snapshot snapshot, const QString& backups, const QDateTime& now)
    : snapshot_(std::move(snapshot))
    , backups_(backups)
    , now_(now) {}

std::optional<StartCopy> StartCopy::pin(Prompter& prompter, const QString& dataFolder,
                                        const QDateTime& now) {
    const QString databasePath = QDir(dataFolder).filePath(TableStore::fileName());
    if (!QFileInfo::exists(databasePath) || !QFileInfo(dataFolder).isWritable())
        return std::nullopt;
    database_copy::Snapshot snapshot(databasePath);
    if (snapshot.taken().sourceDamaged) {
        offerNewestBackup(prompter, databasePath, now);
        return std::nullopt;
    }
    return StartCopy(std::move(snapshot), backupFolder(databasePath), now);
}

std::optional<QString> StartCopy::finish() {
    const QDir backups(backups_);
    QDir().mkpath(backups.path());
    const database_copy::Outcome outcome = snapshot_.writeTo(
        backups.filePath(backup_rotation::automaticName(now_)), database_copy::Check::Quick);
    if (outcome.error)
        return QStringLiteral("Die automatische Datensicherung ist nicht gelungen: ") +
               *outcome.error;
    for (const QString& name : backup_rotation::toRemove(backups.entryList(QDir::Files), now_))
        QFile::remove(backups.filePath(name));
    return std::nullopt;
}

void atStart(Prompter& prompter, const QString& dataFolder, const QDateTime& now) {
    if (std::optional<StartCopy> copy = StartCopy::pin(prompter, dataFolder, now))
        if (const auto failure = copy->finish())
            showError(prompter, *failure);
}

} // namespace backup_steps
