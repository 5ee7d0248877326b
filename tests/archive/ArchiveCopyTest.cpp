#include "TableFixture.h"

#include "archive/ArchiveCopy.h"
#include "tables/RowStream.h"

#include <QSqlQuery>

namespace {

// Every value of both tables as "table|v1|v2|…", NULL as "∅", in the copy's order.
QStringList contents(TableStore& store) {
    QStringList lines;
    for (const TableDefinition* table : {&customerTableDefinition(), &archiveTableDefinition()}) {
        QStringList columns;
        for (const FieldDefinition& field : table->fields)
            columns << quoted(field.name);
        RowStream rows(store, QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                                  .arg(columns.join(", "), quoted(table->name)));
        while (rows.next()) {
            QStringList values{table->name};
            for (int i = 0; i < columns.size(); ++i)
                values << (rows.isNull(i) ? QStringLiteral("∅")
                                          : QString::fromUtf8(rows.text(i).toByteArray()));
            lines << values.join('|');
        }
    }
    return lines;
}

class ArchiveCopyTest : public TableFixture {
protected:
    void SetUp() override {
        addCustomers({{0, "Elektro Weißberg"}, {7, "Bäckerei Müller"}, {3, "müller"}});
        addArchiveRows({{1, "Bäckerei Müller", 7, "15.03.2027"},
                        {2, "Straße & Söhne", 3, ""},
                        {5, "", 0, "01.12.2026"}});
        QSqlQuery(store.database())
            .exec(QStringLiteral("UPDATE zt SET \"Kundennummer\" = NULL, \"Gefunden\" = 1 WHERE "
                                 "\"Zaehler\" = 5"));
        TableCursor zt(store, QStringLiteral("zt"));
        ASSERT_TRUE(zt.addIndex(QStringLiteral("Standard"), QStringLiteral("Zaehler")));
        ASSERT_TRUE(
            zt.addIndex(QStringLiteral("Kunde"), QStringLiteral("Auftraggeber;Zaehler"), false));
    }
};

} // namespace

// There and back again between the two kinds of database: every value, the
// empty numbers and the named indexes arrive; counts and checksum agree.
TEST_F(ArchiveCopyTest, AnArchiveGoesThereAndBackWithEveryValueAndItsIndexes) {
    QTemporaryDir fileFolder, backFolder;
    ScriptedPrompter quiet;
    // On a server run the way is server → file → server; otherwise file → file → file.
    TableStore file(DatabaseLocation(fileFolder.path()), quiet);
    TableStore back(test_database::location(backFolder.path()), quiet);

    const archive_copy::Outcome there = archive_copy::copy(store, file, quiet);
    ASSERT_TRUE(there.ok()) << there.error.toStdString();
    EXPECT_EQ(there.archiveRows, 3);
    EXPECT_EQ(there.customers, 3);
    EXPECT_EQ(there.checksum.size(), 64);
    const archive_copy::Outcome backAgain = archive_copy::copy(file, back, quiet);
    ASSERT_TRUE(backAgain.ok()) << backAgain.error.toStdString();
    EXPECT_EQ(backAgain.checksum, there.checksum);

    const QStringList original = contents(store);
    ASSERT_EQ(original.size(), 6);
    EXPECT_TRUE(original[3].startsWith("zt|1|"));
    EXPECT_TRUE(original[5].contains("|∅|")) << original[5].toStdString();
    EXPECT_EQ(contents(file), original);
    EXPECT_EQ(contents(back), original);
    for (TableStore* copy : {&file, &back}) {
        EXPECT_EQ(copy->indexNames("zt"), (QStringList{"Standard", "Kunde"}));
        const auto terms = copy->indexTerms("zt", "Kunde");
        ASSERT_TRUE(terms);
        ASSERT_EQ(terms->size(), 2);
        EXPECT_TRUE(terms->at(0).exact);
    }
    EXPECT_EQ(archive_copy::report(there, "A", "B"),
              QStringLiteral("Kopiert und geprüft: 3 Archiv-Datensätze und 3 Kunden von \"A\" "
                             "nach \"B\" (Prüfsumme SHA-256 %1).")
                  .arg(QString::fromLatin1(there.checksum)));
    EXPECT_TRUE(quiet.messages().isEmpty()) << quiet.messages().join('\n').toStdString();
}

TEST_F(ArchiveCopyTest, OnlyIntoAnEmptyArchive) {
    QTemporaryDir otherFolder;
    ScriptedPrompter quiet;
    TableStore other(DatabaseLocation(otherFolder.path()), quiet);
    ASSERT_TRUE(other.open());
    TableCursor kunden(other, QStringLiteral("kunden"));
    ASSERT_TRUE(kunden.open());
    ASSERT_TRUE(kunden.insertRecord({9, QStringLiteral("Schon da")}));

    const archive_copy::Outcome outcome = archive_copy::copy(store, other, quiet);
    EXPECT_EQ(outcome.error,
              QStringLiteral("Das Ziel \"%1\" enthält schon Datensätze: Kopiert wird nur in ein "
                             "leeres Archiv.")
                  .arg(other.databasePath()));
    EXPECT_EQ(archive_copy::report(outcome, "A", "B"), "Nicht kopiert: " + outcome.error);
    EXPECT_EQ(contents(other).size(), 1);
}
