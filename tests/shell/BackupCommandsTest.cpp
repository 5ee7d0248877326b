#include "RunZtd.h"
#include "safety/InstanceLock.h"
#include "shell/CommandLine.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class BackupCommandsTest : public ::testing::Test {
protected:
    QString database() const { return data.filePath(u"ztd.sqlite"_s); }

    // The customers' names in number order; the engine's message when that fails.
    QString customers() const {
        sqlite3* db = nullptr;
        QStringList names;
        sqlite3_open_v2(database().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT Auftraggeber FROM kunden ORDER BY Kundennummer", -1,
                               &statement, nullptr) != SQLITE_OK) {
            const QString error = QString::fromUtf8(sqlite3_errmsg(db));
            sqlite3_close(db);
            return error;
        }
        while (sqlite3_step(statement) == SQLITE_ROW)
            names << QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
        sqlite3_close(db);
        return names.join(u',');
    }

    void addCustomer(int number, const char* name) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(database().toUtf8().constData(), &db), SQLITE_OK);
        const QByteArray sql =
            u"INSERT INTO kunden (Kundennummer, Auftraggeber) VALUES (%1, '%2')"_s.arg(number)
                .arg(QString::fromUtf8(name))
                .toUtf8();
        EXPECT_EQ(sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }

    // A data folder set up by an export of its empty archive, with two customers.
    void setUpData() {
        ASSERT_EQ(
            runZtd({u"--data"_s, data.path(), u"--export"_s, files.filePath(u"x.txt"_s)}).exitCode,
            0);
        addCustomer(1, "Meier");
        addCustomer(2, "Schulz");
    }

    QTemporaryDir data;
    QTemporaryDir files;
};

} // namespace

TEST(BackupCommandLine, BackupAndRestoreNameTheirFileAndComeAlone) {
    const ProgramOptions backup =
        parseCommandLine({"ztd", "--data", "/srv/ztd", "--backup", "/tmp/s.sqlite"});
    EXPECT_EQ(backup.action, ProgramOptions::Action::Backup);
    EXPECT_EQ(backup.backupFile, "/tmp/s.sqlite");
    EXPECT_EQ(backup.dataDirectory, "/srv/ztd");
    const ProgramOptions restore = parseCommandLine({"ztd", "--restore", "/tmp/s.sqlite"});
    EXPECT_EQ(restore.action, ProgramOptions::Action::Restore);
    EXPECT_EQ(restore.backupFile, "/tmp/s.sqlite");
    const ProgramOptions both = parseCommandLine({"ztd", "--backup", "a", "--restore", "b"});
    EXPECT_EQ(both.action, ProgramOptions::Action::Fail);
    EXPECT_EQ(both.text, u"Ungültiger Aufruf: --backup und --restore nur einzeln."_s);
}

TEST_F(BackupCommandsTest, ABackupIsRestoredAndTheDataBeforeAreKept) {
    setUpData();
    const QString backup = files.filePath(u"sicherung.sqlite"_s);
    const ZtdOutcome saved = runZtd({u"--data"_s, data.path(), u"--backup"_s, backup});
    EXPECT_EQ(saved.exitCode, 0);
    EXPECT_EQ(saved.err, u"Gesichert: 0 Archiv-Datensätze, 2 Kunden\n"_s);
    addCustomer(3, "Danach");

    const ZtdOutcome restored = runZtd({u"--data"_s, data.path(), u"--restore"_s, backup});
    EXPECT_EQ(restored.exitCode, 0);
    static const QRegularExpression told(
        u"^Zurückgeladen: 0 Archiv-Datensätze, 2 Kunden\nDie Daten von vorher liegen in "
        "\"(.*/backups/ztd-vor-Zurückladen-\\d{4}-\\d\\d-\\d\\d-\\d{6}\\.sqlite)\"\\.\n$"_s);
    const auto match = told.match(restored.err);
    ASSERT_TRUE(match.hasMatch()) << restored.err.toStdString();
    EXPECT_EQ(customers(), u"Meier,Schulz"_s);
    EXPECT_TRUE(QFile::exists(match.captured(1)));
}

// Refused files change nothing: no data replaced, no backup of them kept.
TEST_F(BackupCommandsTest, ADamagedOrForeignFileIsRefusedAndNothingChanges) {
    setUpData();
    const QString junk = files.filePath(u"junk.sqlite"_s);
    QFile file(junk);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    const QString missing = files.filePath(u"fehlt.sqlite"_s);
    const QString foreign = files.filePath(u"fremd.sqlite"_s);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(foreign.toUtf8().constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE zt (Zaehler)", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    const std::pair<QString, QString> cases[] = {
        {junk, u"Sie ist beschädigt oder keine Datenbank dieses Programms."_s},
        {missing, u"Die Datei gibt es nicht."_s},
        {foreign, u"In der Tabelle \"zt\" fehlt das Feld \"AuftragNr\"."_s},
    };
    for (const auto& [path, reason] : cases) {
        SCOPED_TRACE(path.toStdString());
        const ZtdOutcome refused = runZtd({u"--data"_s, data.path(), u"--restore"_s, path});
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_EQ(refused.err,
                  u"Die Datei \"%1\" kann nicht zurückgeladen werden: %2\n"_s.arg(path, reason));
        EXPECT_EQ(customers(), u"Meier,Schulz"_s);
        EXPECT_FALSE(QDir(data.filePath(u"backups"_s)).exists());
    }
}

TEST_F(BackupCommandsTest, RestoreIsRefusedWhileAProgramHasTheFolder) {
    setUpData();
    const QString backup = files.filePath(u"sicherung.sqlite"_s);
    ASSERT_EQ(runZtd({u"--data"_s, data.path(), u"--backup"_s, backup}).exitCode, 0);
    InstanceLock running(data.path());
    ASSERT_EQ(running.acquire(), std::nullopt);
    const ZtdOutcome refused = runZtd({u"--data"_s, data.path(), u"--restore"_s, backup});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err,
              u"Das Archiv in %1 ist bereits in einem anderen ztd-Fenster geöffnet.\n"_s.arg(
                  data.path()));
}

TEST_F(BackupCommandsTest, ABackupOfAFolderWithoutDatabaseFails) {
    const QString backup = files.filePath(u"sicherung.sqlite"_s);
    const ZtdOutcome failed = runZtd({u"--data"_s, data.path(), u"--backup"_s, backup});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.err, u"Die Datenbank \"%1\" gibt es nicht.\n"_s.arg(database()));
    EXPECT_FALSE(QFile::exists(backup));
}
