#include "ArchiveRowsFixture.h"
#include "Printers.h"

#include "archive/ArchiveTable.h"

namespace {

class ArchiveTableTest : public ArchiveRowsFixture {};

} // namespace

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
