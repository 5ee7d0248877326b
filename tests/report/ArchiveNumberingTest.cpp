#include "ArchiveRowsFixture.h"
#include "Printers.h"

namespace {

class ArchiveNumberingTest : public ArchiveRowsFixture {};

} // namespace

TEST_F(ArchiveNumberingTest, NumbersFollowTheHighestRow) {
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

TEST_F(ArchiveNumberingTest, NumberingIgnoresFilterAndRestoresIndexAndFilter) {
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

TEST_F(ArchiveNumberingTest, ARowAnotherPcNumberedMeanwhileMovesTheNewOneOn) {
    EXPECT_EQ(append(), 1);
    TableStore otherPc(test_database::location(dir.path()), prompter);
    TableCursor theirs(otherPc, QStringLiteral("zt"));
    ASSERT_TRUE(theirs.open());
    // The other PC stores its row between this one's look for the next number and its post.
    zt.beforePost = [&](TableCursor&) {
        if (!theirs.locate(QStringLiteral("Zaehler"), {2})) {
            ASSERT_TRUE(theirs.insertRecord({2, QStringLiteral("A-2"), QStringLiteral("dort")}));
        }
    };
    EXPECT_EQ(append(QStringLiteral("hier")), 3);
    EXPECT_EQ(column(zt, "Auftraggeber"), (QStringList{"Kunde", "dort", "hier"}));
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.messages().join('\n').toStdString();
}
