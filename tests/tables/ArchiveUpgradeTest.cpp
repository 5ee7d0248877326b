#include "Printers.h"
#include "TableFixture.h"

#include "tables/GermanCollation.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

// An archive stored while every number had to hold one learns once that a
// row may have no customer number: the definition loses its NOT NULL in
// place, and rows that got the contractor's 0 for want of a customer get none.
TEST(ArchiveTableUpgrade, AnOldArchiveAllowsEmptyCustomerNumbersAndMendsItsRows) {
    SKIP_ON_SERVER("an archive file of an earlier version");
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(TableStore::fileName());
    {
        QSqlDatabase old = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "alt");
        old.setDatabaseName(path);
        ASSERT_TRUE(old.open());
        ASSERT_TRUE(german_collation::registerOn(old));
        QSqlQuery query(old);
        ASSERT_TRUE(query.exec(archiveTableDefinition().storedSqlBeforeNullable()));
        for (const char* row : {"(1, 'Müller', 3)", "(2, '', 0)", "(3, 'Elektro Schulze', 0)"})
            ASSERT_TRUE(query.exec(
                QStringLiteral("INSERT INTO zt (Zaehler, Auftraggeber, Kundennummer) VALUES %1")
                    .arg(QLatin1String(row))));
        query.finish();
        old.close();
    }
    QSqlDatabase::removeDatabase("alt");

    ScriptedPrompter prompter;
    TableStore store(test_database::location(dir.path()), prompter);
    TableCursor zt(store, QStringLiteral("zt"));
    ASSERT_TRUE(zt.open()) << prompter.messages().join(u'\n').toStdString();
    QSqlQuery query(store.database());
    ASSERT_TRUE(query.exec("SELECT sql FROM sqlite_master WHERE name = 'zt'") && query.next());
    EXPECT_EQ(query.value(0).toString(), archiveTableDefinition().storedSql());
    ASSERT_TRUE(query.exec("SELECT group_concat(row) FROM (SELECT Zaehler || ':' || "
                           "ifnull(Kundennummer, '-') AS row FROM zt ORDER BY Zaehler)") &&
                query.next());
    EXPECT_EQ(query.value(0).toString(), "1:3,2:-,3:0");
    ASSERT_TRUE(query.exec("PRAGMA integrity_check") && query.next());
    EXPECT_EQ(query.value(0).toString(), "ok");
    query.finish();
    EXPECT_TRUE(zt.insertRecord({4, QStringLiteral("A-4"), QString()}))
        << prompter.messages().join(u'\n').toStdString();
    EXPECT_TRUE(zt.locate("Zaehler", {4}));
    EXPECT_EQ(zt.text("Kundennummer"), "");
    EXPECT_TRUE(prompter.messages().isEmpty());
}
