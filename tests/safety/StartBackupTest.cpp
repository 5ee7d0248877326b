#include "safety/StartBackup.h"
#include "SafetyFixture.h"
#include "safety/BackupRotation.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

const QDateTime kMorning(QDate(2026, 12, 11), QTime(7, 59, 30));

class StartBackupTest : public SafetyFixture {
protected:
    QString backup() const {
        return QDir(filePath(QStringLiteral("backups")))
            .filePath(backup_rotation::automaticName(kMorning));
    }
    QStringList backupFolder() const {
        return QDir(filePath(QStringLiteral("backups")))
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }
};

} // namespace

// The program writes as soon as the start returns; the backup written on the
// other thread still holds the data from before.
TEST_F(StartBackupTest, TheBackupHoldsTheDataFromBeforeTheFirstWrite) {
    // The copy still runs when the program writes.
    addBallast(5000);
    {
        StartBackup started(prompter, dir.path(), kMorning);
        addArchiveRows({{4, QStringLiteral("Schulz"), 2, QStringLiteral("04.02.2026")}});
    }
    EXPECT_EQ(archiveNumbers(backup()), QStringLiteral("1,2,3"));
    EXPECT_EQ(archiveNumbers(store.databasePath()), QStringLiteral("1,2,3,4"));
    EXPECT_EQ(backupFolder(), QStringList{QFileInfo(backup()).fileName()});
    EXPECT_EQ(prompter.messages(), QStringList());
}

// A failure on the worker is told on the starting thread, from its event loop.
TEST_F(StartBackupTest, AFailureIsToldFromTheEventLoop) {
    // A folder where the copy is to go: the finished copy cannot be renamed.
    ASSERT_TRUE(QDir().mkpath(backup()));
    StartBackup started(prompter, dir.path(), kMorning);
    started.wait();
    EXPECT_EQ(prompter.messages(), QStringList());
    QCoreApplication::processEvents();
    EXPECT_EQ(prompter.messages(),
              QStringList{QStringLiteral("Fehler|Die automatische Datensicherung ist nicht "
                                         "gelungen: Die Datensicherung \"%1\" konnte nicht "
                                         "geschrieben werden: Die Datei lässt sich nicht "
                                         "umbenennen.")
                              .arg(backup())});
    EXPECT_EQ(backupFolder(), QStringList{QFileInfo(backup()).fileName()});
    EXPECT_TRUE(QFileInfo(backup()).isDir());
}
