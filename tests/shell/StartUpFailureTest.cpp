#include "ScriptedPrompter.h"
#include "WithoutWriteRights.h"
#include "shell/AppState.h"
#include "shell/ProgramWindows.h"
#include "shell/TForm1.h"
#include "tables/TableCursor.h"
#include "tables/TableGridModel.h"
#include "tables/TableStore.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>

namespace {

// The whole program starting on a data folder in trouble; every message box
// it shows is counted.
class StartUpFailureTest : public ::testing::Test {
protected:
    QString dataFolder() const { return root.filePath(QStringLiteral("daten")); }
    QString databasePath() const { return QDir(dataFolder()).filePath(TableStore::fileName()); }

    // Archive rows numbered from 1 with the given customers, written by an
    // earlier run.
    void storeArchiveRows(const QStringList& customers) {
        ScriptedPrompter quiet;
        // The program set the folder up in an earlier run.
        ProgramWindows(state, ProgramOptions{}, dataFolder(), &quiet);
        TableStore earlier(dataFolder(), quiet);
        TableCursor zt(earlier, QStringLiteral("zt"));
        ASSERT_TRUE(zt.open());
        int number = 0;
        for (const QString& customer : customers) {
            ASSERT_TRUE(zt.insert());
            zt.setInteger(QStringLiteral("Zaehler"), ++number);
            zt.setText(QStringLiteral("Auftraggeber"), customer);
            ASSERT_TRUE(zt.post());
        }
        ASSERT_TRUE(quiet.messages().isEmpty()) << quiet.messages().join('\n').toStdString();
    }

    void start() {
        windows =
            std::make_unique<ProgramWindows>(state, ProgramOptions{}, dataFolder(), &prompter);
    }

    QDialog* archiveWindow() const {
        return windows->mainWindow().findChild<QDialog*>(QStringLiteral("FormArchiv"));
    }
    TableCursor* archiveCursor() const {
        return archiveWindow()->findChild<TableCursor*>(QStringLiteral("Table1"));
    }
    // The customers the archive grid shows, top to bottom.
    QStringList archiveGridCustomers() const {
        QDialog* archive = archiveWindow();
        archive->show();
        const auto* grid = archive->findChild<QTableView*>(QStringLiteral("DBGrid1"));
        QStringList names;
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            names << grid->model()->index(row, 3).data().toString();
        archive->hide();
        return names;
    }

    QTemporaryDir root;
    AppState state;
    ScriptedPrompter prompter;
    std::unique_ptr<ProgramWindows> windows;
};

} // namespace

TEST_F(StartUpFailureTest, ADatabaseLockedByAnotherProgramIsReportedOnce) {
    storeArchiveRows({QStringLiteral("Meier")});
    // Another program holds the file exclusively: not even reading is possible.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(databasePath().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other,
                           "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; "
                           "UPDATE zt SET Ort = 'x';",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    start();
    EXPECT_EQ(prompter.messages(),
              QStringList{QStringLiteral("Fehler|Die Datenbank \"%1\" wird von einem anderen "
                                         "Programm benutzt und ist gesperrt. Bitte schließen Sie "
                                         "das andere Programm und versuchen Sie es noch einmal.")
                              .arg(databasePath())});
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    // Once the other program has let go, the archive opens.
    EXPECT_EQ(archiveGridCustomers(), QStringList{"Meier"});
    EXPECT_EQ(prompter.messages().size(), 1);
}

TEST_F(StartUpFailureTest, AWriteHeldByAnotherProgramIsReportedOnce) {
    storeArchiveRows({QStringLiteral("Meier")});
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(databasePath().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(
        sqlite3_exec(other, "BEGIN EXCLUSIVE; UPDATE zt SET Ort = 'x';", nullptr, nullptr, nullptr),
        SQLITE_OK);
    start();
    EXPECT_EQ(prompter.messages(),
              QStringList{"Fehler|Die Tabelle \"kunden\" ist von einem anderen Programm gesperrt. "
                          "Bitte schließen Sie das andere Programm und versuchen Sie es noch "
                          "einmal."});
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
}

TEST_F(StartUpFailureTest, ADamagedDatabaseIsReportedOnce) {
    ASSERT_TRUE(QDir().mkpath(dataFolder()));
    QFile junk(databasePath());
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, '\x5a'));
    junk.close();
    start();
    EXPECT_EQ(prompter.messages(),
              QStringList{QStringLiteral("Fehler|Die Datenbank \"%1\" kann nicht gelesen werden: "
                                         "Sie ist beschädigt oder keine Datenbank dieses "
                                         "Programms.")
                              .arg(databasePath())});
    EXPECT_EQ(QFile(databasePath()).size(), 4096);
}

TEST_F(StartUpFailureTest, AFolderThatCannotBeCreatedIsReportedOnce) {
    QFile file(root.filePath(QStringLiteral("daten")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    start();
    EXPECT_EQ(prompter.messages(),
              QStringList{QStringLiteral("Fehler|Der Datenordner \"%1\" kann nicht angelegt "
                                         "werden.")
                              .arg(dataFolder())});
}

TEST_F(StartUpFailureTest, DataThatCannotBeWrittenAreReadAndWritesRefused) {
    WithoutWriteRights rights;
    if (!rights.usable())
        GTEST_SKIP() << "no way to take the write rights away from this test";
    rights.suspend();
    storeArchiveRows({QStringLiteral("Meier"), QStringLiteral("O'Brien")});
    constexpr auto read = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    constexpr auto enter = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    constexpr auto write = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    const struct {
        QFile::Permissions folder;
        QFile::Permissions file;
        QString reason;
    } cases[] = {
        {read | enter, read | write,
         QStringLiteral("In den Datenordner \"%1\" kann nicht geschrieben werden.")
             .arg(dataFolder())},
        {read | enter | write, read,
         QStringLiteral("Die Datei \"%1\" ist schreibgeschützt.").arg(databasePath())},
    };
    ASSERT_TRUE(QFile::setPermissions(root.path(), read | enter));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason.toStdString());
        ASSERT_TRUE(QFile::setPermissions(dataFolder(), c.folder));
        ASSERT_TRUE(QFile::setPermissions(databasePath(), c.file));
        const QString text = QStringLiteral("Die Daten können nur gelesen werden: ") + c.reason;
        const qsizetype before = prompter.messages().size();
        rights.resume();
        start();
        EXPECT_EQ(prompter.messages().mid(before), QStringList{"Hinweis|" + text});
        EXPECT_EQ(archiveGridCustomers(), (QStringList{"Meier", "O'Brien"}));

        // A write is refused with the same words, and the row stays as it was.
        TableCursor& archive = *archiveCursor();
        archive.first();
        ASSERT_TRUE(archive.edit());
        archive.setText(QStringLiteral("Auftraggeber"), QStringLiteral("Schulz"));
        archive.setText(QStringLiteral("Ordnung"), QStringLiteral("ja"));
        EXPECT_FALSE(archive.post());
        archive.cancel();
        EXPECT_EQ(prompter.messages().mid(before),
                  (QStringList{"Hinweis|" + text, "Fehler|" + text}));
        EXPECT_EQ(archive.text(QStringLiteral("Auftraggeber")), QStringLiteral("Meier"));
        windows.reset();
        rights.suspend();
    }
    QFile::setPermissions(root.path(), read | enter | QFile::WriteOwner);
    QFile::setPermissions(dataFolder(), read | enter | QFile::WriteOwner);
}
