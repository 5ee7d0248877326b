#include "Printers.h"
#include "TableFixture.h"

#include "report/ReportState.h"
#include "tables/ArchiveTable.h"
#include "tables/GermanCollation.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace {

class ArchiveTableTest : public TableFixture {
protected:
    ArchiveTableTest()
        : zt(store, QStringLiteral("zt")) {}

    void SetUp() override { ASSERT_TRUE(archive_table::ensureStandardIndex(zt)); }

    qint64 append(const QString& name = QStringLiteral("Kunde")) {
        return archive_table::appendRow(zt, {QVariant(), QStringLiteral("A-1"), name});
    }

    TableCursor zt;
};

} // namespace

TEST_F(ArchiveTableTest, NumbersFollowTheHighestRow) {
    EXPECT_EQ(zt.indexNames(), QStringList{"Standard"});
    EXPECT_EQ(append(), 1);
    for (int i = 2; i <= 5; ++i)
        EXPECT_EQ(append(), i);

    ASSERT_TRUE(zt.locate("Zaehler", {5}));
    zt.deleteRow();
    EXPECT_EQ(append(), 5);

    ASSERT_TRUE(zt.locate("Zaehler", {3}));
    zt.deleteRow();
    EXPECT_EQ(append(), 6);
    EXPECT_EQ(column(zt, "Zaehler"), (QStringList{"1", "2", "4", "5", "6"}));
}

TEST_F(ArchiveTableTest, NumberingIgnoresFilterAndRestoresIndexAndFilter) {
    for (const char* name : {"Zander", "Albers", "Meier"})
        append(QLatin1String(name));
    zt.addIndex(QStringLiteral("Aktuell"), QStringLiteral("Auftraggeber;Zaehler"));
    zt.setIndexName(QStringLiteral("Aktuell"));
    zt.setFilter(QStringLiteral("Auftraggeber='Albers'"));
    zt.setFiltered(true);
    EXPECT_EQ(append(QStringLiteral("Albers")), 4);
    EXPECT_EQ(zt.indexName(), "Aktuell");
    EXPECT_TRUE(zt.filtered());
    EXPECT_TRUE(zt.bof());
    EXPECT_EQ(column(zt, "Zaehler"), (QStringList{"2", "4"}));
}

TEST_F(ArchiveTableTest, BeforePostTrimsAndSettlesTheVerdictAndAnImportDoesSoSilently) {
    std::optional<bool> diffFromReport;
    zt.beforePost = [&](TableCursor& c) {
        archive_table::normaliseBeforePost(c, prompter, diffFromReport);
    };
    const QString notice =
        QStringLiteral("Hinweis|") + QString::fromUtf8(archive_table::kOrdnungNotice);
    struct Case {
        const char* typed;
        const char* stored;
        bool notice;
    };
    const Case cases[] = {
        {"JA", "j", false}, {"jA", "j", false},   {" Ja ", "j", false},
        {"j", "j", false},  {"NEIN", "n", false}, {"N", "n", false},
        {"", "n", true},    {"nEIN", "n", true},  {"ok", "n", true},
    };
    for (const Case& c : cases) {
        const size_t before = prompter.calls().size();
        QVariantList values(44);
        values[1] = QStringLiteral(" A-7 ");
        values[2] = QStringLiteral("  Müller GmbH ");
        values[11] = QStringLiteral(" defekt");
        values[35] = QStringLiteral("Köln  ");
        values[41] = QString::fromUtf8(c.typed);
        values[42] = true;
        for (int i : {0,  3,  4,  5,  6,  7,  8,  9,  10, 12, 13, 14, 15, 16, 17,
                      21, 22, 23, 24, 25, 26, 27, 28, 29, 34, 36, 37, 38, 39, 40})
            if (!values[i].isValid())
                values[i] = QString();
        for (int i : {18, 19, 20, 30, 31, 32, 33, 43})
            values[i] = false;
        QVariantList imported = values;
        archive_table::normaliseImportedRow(imported);
        EXPECT_EQ(imported[41].toString(), QString::fromUtf8(c.stored)) << c.typed;
        EXPECT_EQ(imported[2].toString(), "Müller GmbH");
        EXPECT_EQ(imported[42], true);

        ASSERT_GT(archive_table::appendRow(zt, values), 0) << c.typed;
        zt.last();
        EXPECT_EQ(zt.text("Ordnung"), QString::fromUtf8(c.stored)) << c.typed;
        EXPECT_EQ(zt.text("AuftragNr"), "A-7");
        EXPECT_EQ(zt.text("Auftraggeber"), "Müller GmbH");
        EXPECT_EQ(zt.text("FehlerZeile1"), "defekt");
        EXPECT_EQ(zt.text("Ort"), "Köln");
        const QStringList messages = prompter.messages().mid(qsizetype(before));
        EXPECT_EQ(messages, c.notice ? QStringList{notice} : QStringList{}) << c.typed;
    }
}

// An edit in the grid keeps the row's Diff, whatever the last report had;
// a row taken back from the report takes the report's.
TEST_F(ArchiveTableTest, AnEditKeepsTheRowsDiffAndAWriteBackTakesTheReports) {
    std::optional<bool> diffFromReport;
    zt.beforePost = [&](TableCursor& c) {
        archive_table::normaliseBeforePost(c, prompter, diffFromReport);
    };
    append(QStringLiteral("Meier"));
    zt.last();
    zt.edit();
    zt.setBoolean("Diff", true);
    ASSERT_TRUE(zt.post());
    zt.edit();
    zt.setText("Geraeteart", QStringLiteral("Bohrmaschine"));
    ASSERT_TRUE(zt.post());
    EXPECT_TRUE(zt.boolean("Diff"));
    diffFromReport = false;
    zt.edit();
    ASSERT_TRUE(zt.post());
    EXPECT_FALSE(zt.boolean("Diff"));
}

// An archive stored while every number had to hold one learns once that a
// row may have no customer number: the definition loses its NOT NULL in
// place, and rows that got the contractor's 0 for want of a customer get none.
TEST(ArchiveTableUpgrade, AnOldArchiveAllowsEmptyCustomerNumbersAndMendsItsRows) {
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
    TableStore store(dir.path(), prompter);
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
