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
