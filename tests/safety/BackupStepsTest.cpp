#include "safety/BackupSteps.h"
#include "SafetyFixture.h"
#include "safety/BackupRotation.h"

#include <QFileInfo>
#include <QProcess>

namespace {

const QDateTime kMorning(QDate(2026, 12, 11), QTime(7, 59, 30));
const QDateTime kLater(QDate(2026, 12, 11), QTime(8, 0));

class BackupSteps : public SafetyFixture {
protected:
    QString backups() const { return filePath(QStringLiteral("backups")); }
    QStringList backupFiles() const { return QDir(backups()).entryList(QDir::Files, QDir::Name); }
};

} // namespace

// Each start keeps a copy named by the injected time; the rotation runs on the same time.
TEST_F(BackupSteps, EachStartTakesAnAutomaticBackupAndRotates) {
    ASSERT_TRUE(QDir().mkpath(backups()));
    QStringList earlier;
    for (int day = 1; day <= 10; ++day)
        earlier << backup_rotation::automaticName(QDateTime(QDate(2026, 12, day), QTime(8, 0)));
    for (const QString& name : earlier)
        writeBytes(QDir(backups()).filePath(name), "alt");
    writeBytes(QDir(backups()).filePath(QStringLiteral("ztd-2026-11-20-080000.sqlite")), "alt");

    backup_steps::atStart(prompter, dir.path(), kMorning);

    EXPECT_EQ(prompter.messages(), QStringList());
    // 1 December goes: the ten newer ones stay, and 11 December is December's newest.
    EXPECT_EQ(backupFiles(), QStringList{QStringLiteral("ztd-2026-11-20-080000.sqlite")} +
                                 earlier.mid(1) +
                                 QStringList{QStringLiteral("ztd-2026-12-11-075930.sqlite")});
    EXPECT_EQ(
        archiveNumbers(QDir(backups()).filePath(QStringLiteral("ztd-2026-12-11-075930.sqlite"))),
        QStringLiteral("1,2,3"));
}

TEST_F(BackupSteps, ADamagedDatabaseIsKeptAndTheNewestBackupOffered) {
    const QByteArray junk(8192, '\x5a');
    const QString damagedAs =
        store.databasePath() + QStringLiteral(".beschädigt-2026-12-11-080000");
    const QString question =
        QStringLiteral("Datenbank beschädigt|Die Datenbank \"%1\" ist beschädigt und kann nicht "
                       "gelesen werden.\n\nSoll die neueste automatische Datensicherung vom "
                       "11.12.2026 07:59 (3 Archiv-Datensätze, 1 Kunden) zurückgeladen werden? "
                       "Die beschädigte Datei bleibt als \"%2\" erhalten.")
            .arg(store.databasePath(), damagedAs);
    backup_steps::atStart(prompter, dir.path(), kMorning);
    ASSERT_EQ(prompter.messages(), QStringList());
    store.database().close();
    for (const bool accepted : {false, true}) {
        SCOPED_TRACE(accepted);
        writeBytes(store.databasePath(), junk);
        QFile::remove(store.databasePath() + QStringLiteral("-wal"));
        QFile::remove(store.databasePath() + QStringLiteral("-shm"));
        ScriptedPrompter asked;
        asked.answer(accepted ? Prompter::Answer::Yes : Prompter::Answer::No);
        backup_steps::atStart(asked, dir.path(), kLater);
        EXPECT_EQ(asked.messages(), QStringList{question});
        EXPECT_EQ(bytesOf(accepted ? damagedAs : store.databasePath()), junk);
        EXPECT_EQ(QFileInfo::exists(damagedAs), accepted);
        EXPECT_EQ(archiveNumbers(store.databasePath()),
                  accepted ? QStringLiteral("1,2,3") : QStringLiteral("file is not a database"));
    }
}

// The menu's restore: the file is checked, the user told what it holds and
// asked; the data before are kept.
TEST_F(BackupSteps, RestoreAsksThenKeepsTheCurrentDataAndReplacesThem) {
    const QString backup = filePath(QStringLiteral("sicherung.sqlite"));
    prompter.chooseFile(backup);
    backup_steps::backUp(prompter, store.databasePath(), kMorning);
    ASSERT_EQ(prompter.calls().front().dialog.fileName,
              QStringLiteral("ztd-Datensicherung-2026-12-11-075930.sqlite"));
    EXPECT_EQ(prompter.messages(),
              QStringList{QStringLiteral("Datensicherung|Gesichert: 3 Archiv-Datensätze, 1 Kunden"
                                         "\n\nDie Datensicherung \"%1\" ist geschrieben und "
                                         "geprüft.")
                              .arg(backup)});
    addArchiveRows({{4, QStringLiteral("Schulz"), 2, QStringLiteral("04.02.2026")}});

    const QString when =
        QFileInfo(backup).lastModified().toString(QStringLiteral("dd.MM.yyyy HH:mm"));
    const QString keptAs =
        QDir(backups()).filePath(QStringLiteral("ztd-vor-Zurückladen-2026-12-11-080000.sqlite"));
    for (const bool accepted : {false, true}) {
        SCOPED_TRACE(accepted);
        ScriptedPrompter asked;
        asked.chooseFile(backup);
        asked.answer(accepted ? Prompter::Answer::Yes : Prompter::Answer::No);
        EXPECT_EQ(backup_steps::restore(asked, store.databasePath(), kLater), accepted);
        QStringList expected{
            QStringLiteral("Datensicherung zurückladen|Die Datensicherung \"%1\" vom %2 enthält 3 "
                           "Archiv-Datensätze, 1 Kunden.\n\nDie jetzigen Daten werden zuerst "
                           "gesichert und dann durch die Datensicherung ersetzt. Zurückladen?")
                .arg(backup, when)};
        if (accepted)
            expected << QStringLiteral("Datensicherung zurückladen|Zurückgeladen: 3 "
                                       "Archiv-Datensätze, 1 Kunden\n\nDie Daten von vorher liegen "
                                       "in \"%1\".")
                            .arg(keptAs);
        EXPECT_EQ(asked.messages(), expected);
        EXPECT_EQ(archiveNumbers(store.databasePath()),
                  accepted ? QStringLiteral("1,2,3") : QStringLiteral("1,2,3,4"));
    }
    EXPECT_EQ(archiveNumbers(keptAs), QStringLiteral("1,2,3,4"));
}

// Killed in the middle of writing its copy, a backup leaves the database as it
// was and no file where the copy was to be.
TEST_F(BackupSteps, KillingABackupHalfwayLeavesTheDatabaseIntact) {
    // Ballast, so the copy takes long enough to be caught in the middle.
    addBallast(20000);
    const QString target = filePath(QStringLiteral("kopie.sqlite"));
    QProcess backup;
    backup.start(QStringLiteral(ZTD_BINARY),
                 {QStringLiteral("--data"), dir.path(), QStringLiteral("--backup"), target});
    while (!QFileInfo(target + QStringLiteral(".teil")).size() &&
           backup.state() != QProcess::NotRunning)
        backup.waitForFinished(1);
    backup.kill();
    ASSERT_TRUE(backup.waitForFinished(10000));
    ASSERT_EQ(backup.exitStatus(), QProcess::CrashExit) << "the backup ended before the kill";

    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_EQ(read(store.databasePath(), "PRAGMA integrity_check"), QStringLiteral("ok"));
    EXPECT_EQ(archiveNumbers(store.databasePath()), QStringLiteral("1,2,3"));
    // The next backup goes through, over what the killed one left.
    QProcess again;
    again.start(QStringLiteral(ZTD_BINARY),
                {QStringLiteral("--data"), dir.path(), QStringLiteral("--backup"), target});
    ASSERT_TRUE(again.waitForFinished(60000));
    EXPECT_EQ(again.exitCode(), 0);
    EXPECT_EQ(again.readAllStandardError(),
              QByteArray("Gesichert: 3 Archiv-Datensätze, 1 Kunden\n"));
    EXPECT_EQ(archiveNumbers(target), QStringLiteral("1,2,3"));
}
