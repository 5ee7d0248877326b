#include "archive/MemoryRow.h"
#include "Printers.h"
#include "TableFixture.h"
#include "archive/ArchiveTable.h"
#include "archive/ArchiveTransfers.h"
#include "report/ArchiveNumbering.h"
#include "report/ReportSession.h"

namespace {

QByteArray entry(const char* number, const char* cls, char kind, const char* a, const char* b,
                 const char* c, const char* letters) {
    QByteArray bytes = QByteArray(number) + cls + kind + a + b + c + letters;
    return bytes.leftJustified(32, ' ');
}

} // namespace

TEST(MemoryRow, FieldsOfAnEntry) {
    const QVariantList fields = memory_row::rowFields(
        entry("  12", "2 ", '1', "  1.5", ">20.0", "  0.1", "FOF"), QDate(2026, 12, 8));
    ASSERT_EQ(fields.size(), 44);
    EXPECT_EQ(fields[6], QStringLiteral("2 "));
    EXPECT_EQ(fields[17], QStringLiteral("DIN VDE 0701-0702(1)"));
    EXPECT_EQ((QStringList{fields[21].toString(), fields[22].toString(), fields[23].toString()}),
              (QStringList{"Isolationswiderstand", "Ersatzableitstrom", ""}));
    EXPECT_EQ((QStringList{fields[24].toString(), fields[25].toString(), fields[26].toString()}),
              (QStringList{"MOhm", "mA", ""}));
    EXPECT_EQ(fields[27], QStringLiteral("  1.5"));
    EXPECT_EQ(fields[37],
              QStringLiteral("Isolationswiderstand =   1.5 MOhm  Ersatzableitstrom >20.0 mA"));
    EXPECT_EQ(fields[38], QStringLiteral("MW-Speicher Nr.  12   8.12.2026"));
    EXPECT_EQ(fields[41], QStringLiteral("j"));
    EXPECT_EQ(fields[42], false);
    EXPECT_EQ(fields[43], false);
    for (int i : {1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 34, 35, 36})
        EXPECT_EQ(fields[i].toString(), QString()) << i;
}

TEST(MemoryRow, NamesAndUnitsByClassKindAndMethod) {
    struct Case {
        const char* cls;
        char kind;
        const char* letters;
        QStringList names;
        QStringList units;
    };
    const Case cases[] = {
        {"1 ",
         '1',
         "TFF",
         {"Schutzleiterwiderstand", "Schutzleiterstrom", " "},
         {"Ohm", "mA", " "}},
        {"1e", '2', "TFD", {"Schutzleiterwiderstand", "Differenzstrom", " "}, {"Ohm", "mA", " "}},
        {"1 ",
         '1',
         "FFF",
         {"Schutzleiterwiderstand", "Isolationswiderstand", "Ersatzableitstrom"},
         {"Ohm", "MOhm", "mA"}},
        {"1 ",
         '2',
         "FOD",
         {"Isolationswiderstand", "Schutzleiterwiderstand", "Differenzstrom"},
         {"MOhm", "Ohm", "mA"}},
        {"2 ", '2', "TFF", {"Berührungsstrom", "", ""}, {"mA", "", ""}},
        {"2 ", '2', "FFF", {"Isolationswiderstand", "Berührungsstrom", ""}, {"MOhm", "mA", ""}},
        {"3 ", '2', "TFF", {"Isolationswiderstand", "", ""}, {"MOhm", "", ""}},
    };
    for (const Case& c : cases) {
        const QVariantList f = memory_row::rowFields(
            entry("   1", c.cls, c.kind, "AAAAA", "BBBBB", "CCCCC", c.letters), QDate(2026, 1, 1));
        EXPECT_EQ((QStringList{f[21].toString(), f[22].toString(), f[23].toString()}), c.names)
            << c.cls << c.kind << c.letters;
        EXPECT_EQ((QStringList{f[24].toString(), f[25].toString(), f[26].toString()}), c.units)
            << c.cls << c.kind << c.letters;
    }
}

class MemoryImportTest : public TableFixture {
protected:
    MemoryImportTest() {
        archive_table::ensureStandardIndex(zt);
        zt.beforePost = [this](TableCursor& cursor) {
            archive_table::normaliseBeforePost(cursor, prompter, transfers.diffOfWriteBack());
        };
    }
    ReportSession state;
    TableCursor zt{store, QStringLiteral("zt")};
    TableCursor kunden{store, QStringLiteral("kunden")};
    ArchiveTransfers transfers{state, prompter, zt, kunden};
};

TEST_F(MemoryImportTest, EntriesBecomeRowsWithoutCustomerOrDates) {
    const QList<QByteArray> entries{entry("   1", "1 ", '1', " 0.12", " 25.0", " 0.21", "FOF"),
                                    entry("   3", "3 ", '2', ">20.0", "     ", "     ", "TXD"),
                                    entry("   4", "2 ", '1', "  2.0", "  0.1", "     ", "FFF")};
    EXPECT_EQ(transfers.importMemoryEntries(entries, true), 3);
    EXPECT_EQ(
        prompter.messages(),
        QStringList{"Hinweis|Der von Ihnen definierte Filter ist aktiv. Möglicherweise werden "
                    "Ihre Dateien deshalb nicht angezeigt."});
    QStringList rows;
    for (zt.first(); !zt.eof(); zt.next())
        rows << QStringList{zt.text("Zaehler"),      zt.text("Schutzklasse"), zt.text("Ordnung"),
                            zt.text("Diff"),         zt.text("Niso"),         zt.text("Termin"),
                            zt.text("Kundennummer"), zt.text("Auftraggeber")}
                    .join('|');
    // No customer number at all: 0 would be the contractor.
    EXPECT_EQ(rows, (QStringList{"1|1 |j|nein|nein|||", "2|3 |n|ja|ja|||", "3|2 |n|nein|nein|||"}));
    EXPECT_EQ(zt.locate("Kundennummer", {0}), false);
    // The report state keeps the last entry's flags.
    EXPECT_EQ(state.report.niso, 0);
}
