#include "safety/DatabaseCopy.h"
#include "SafetyFixture.h"
#include "tables/TableDefinition.h"

#include <QFileInfo>

using database_copy::Check;

namespace {
class DatabaseCopy : public SafetyFixture {};
} // namespace

// The newest committed rows may still be in the write-ahead log, where a file
// copy would miss them; an open transaction of another program is not in the copy.
TEST_F(DatabaseCopy, ACopyHoldsExactlyWhatIsCommitted) {
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(store.databasePath().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other,
                           "INSERT INTO kunden (Kundennummer, Auftraggeber) VALUES (2, 'Neu');"
                           "BEGIN; INSERT INTO kunden (Kundennummer, Auftraggeber) "
                           "VALUES (3, 'Offen'); DELETE FROM zt WHERE Zaehler = 2;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    ASSERT_GT(QFileInfo(store.databasePath() + QStringLiteral("-wal")).size(), 0);

    const QString target = filePath(QStringLiteral("kopie.sqlite"));
    const database_copy::Outcome outcome =
        database_copy::copy(store.databasePath(), target, Check::Full);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    EXPECT_EQ(outcome.error, std::nullopt);
    EXPECT_EQ(outcome.counts.archiveRows, 3);
    EXPECT_EQ(outcome.counts.customers, 2);
    EXPECT_EQ(database_copy::countsText(outcome.counts),
              QStringLiteral("3 Archiv-Datensätze, 2 Kunden"));
    EXPECT_EQ(archiveNumbers(target), QStringLiteral("1,2,3"));
    EXPECT_EQ(customerNames(target), QStringLiteral("Meier,Neu"));
    // One file that stands on its own.
    EXPECT_EQ(read(target, "PRAGMA journal_mode"), QStringLiteral("delete"));
    EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral("-wal")));
    EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral(".teil")));
}

// What is committed after the snapshot is taken, through the program's own
// store or another connection, stays out of the copy written later.
TEST_F(DatabaseCopy, ASnapshotHoldsTheDataAsTheyWereWhenItWasTaken) {
    database_copy::Snapshot snapshot(store.databasePath());
    ASSERT_EQ(snapshot.taken().error, std::nullopt);
    EXPECT_TRUE(snapshot.writersGoOn());
    addArchiveRows({{4, QStringLiteral("Schulz"), 2, QStringLiteral("04.02.2026")}});
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(store.databasePath().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "DELETE FROM kunden", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(other);

    const QString target = filePath(QStringLiteral("kopie.sqlite"));
    const database_copy::Outcome outcome = snapshot.writeTo(target, Check::Full);

    EXPECT_EQ(outcome.error, std::nullopt);
    EXPECT_EQ(database_copy::countsText(outcome.counts),
              QStringLiteral("3 Archiv-Datensätze, 1 Kunden"));
    EXPECT_EQ(archiveNumbers(target), QStringLiteral("1,2,3"));
    EXPECT_EQ(customerNames(target), QStringLiteral("Meier"));
    EXPECT_EQ(archiveNumbers(store.databasePath()), QStringLiteral("1,2,3,4"));
    EXPECT_EQ(customerNames(store.databasePath()), QString());
}

TEST_F(DatabaseCopy, CountsAreGroupedInThousands) {
    EXPECT_EQ(database_copy::countsText({12345, 210}),
              QStringLiteral("12 345 Archiv-Datensätze, 210 Kunden"));
}

TEST_F(DatabaseCopy, AFileThatIsNoIntactBackupIsRefusedWithItsReason) {
    const QString good = filePath(QStringLiteral("gut.sqlite"));
    ASSERT_EQ(database_copy::copy(store.databasePath(), good, Check::Full).error, std::nullopt);
    const QByteArray goodBytes = bytesOf(good);

    const auto foreignDatabase = [&](const QString& name, const QString& sql) {
        const QString path = filePath(name);
        sqlite3* db = nullptr;
        EXPECT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
        return path;
    };
    const QString junk = filePath(QStringLiteral("junk.sqlite"));
    writeBytes(junk, QByteArray(4096, '\x5a'));
    // A page in the middle overwritten: the file opens, its contents do not add up.
    const QString scrambled = filePath(QStringLiteral("verdorben.sqlite"));
    writeBytes(scrambled,
               goodBytes.left(4096 * 3) + QByteArray(4096, '\x11') + goodBytes.mid(4096 * 4));
    QStringList archiveFields;
    for (const FieldDefinition& field : archiveTableDefinition().fields)
        archiveFields << field.name;
    const struct {
        QString path;
        QString reason;
    } cases[] = {
        {filePath(QStringLiteral("fehlt.sqlite")), QStringLiteral("Die Datei gibt es nicht.")},
        {junk, QStringLiteral("Sie ist beschädigt oder keine Datenbank dieses Programms.")},
        {foreignDatabase(QStringLiteral("fremd.sqlite"),
                         QStringLiteral("CREATE TABLE adressen (x)")),
         QStringLiteral("Die Tabelle \"zt\" fehlt.")},
        {foreignDatabase(QStringLiteral("alt.sqlite"),
                         QStringLiteral("CREATE TABLE zt (%1); CREATE TABLE kunden "
                                        "(Kundennummer, Auftraggeber)")
                             .arg(archiveFields.join(QLatin1Char(',')))),
         QStringLiteral("In der Tabelle \"kunden\" fehlt das Feld \"AuftraggeberStrasse\".")},
        {scrambled, QStringLiteral("Sie ist beschädigt oder keine Datenbank dieses Programms.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const database_copy::Outcome outcome = database_copy::inspect(c.path, Check::Full);
        EXPECT_EQ(outcome.error, c.reason);
    }
    EXPECT_EQ(database_copy::inspect(good, Check::Full).error, std::nullopt);
}

TEST_F(DatabaseCopy, RestoreReplacesTheContentsUnderAnOpenConnection) {
    const QString backup = filePath(QStringLiteral("sicherung.sqlite"));
    ASSERT_EQ(database_copy::copy(store.databasePath(), backup, Check::Full).error, std::nullopt);
    addArchiveRows({{4, QStringLiteral("Schulz"), 2, QStringLiteral("04.02.2026")}});
    TableCursor zt(store, QStringLiteral("zt"));
    ASSERT_TRUE(zt.open());

    EXPECT_EQ(database_copy::restore(backup, store.databasePath()), std::nullopt);
    EXPECT_EQ(archiveNumbers(store.databasePath()), QStringLiteral("1,2,3"));
    zt.close();
    ASSERT_TRUE(zt.open());
    ASSERT_TRUE(zt.last());
    EXPECT_EQ(zt.integer(QStringLiteral("Zaehler")), 3);
    EXPECT_EQ(read(store.databasePath(), "PRAGMA journal_mode"), QStringLiteral("wal"));
}
