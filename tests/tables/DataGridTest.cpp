#include "TableFixture.h"

#include "tables/DataGrid.h"
#include "tables/DataNavigator.h"
#include "tables/TableGridModel.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace {

class DataGridTest : public TableFixture {
protected:
    DataGridTest() {
        addCustomers({{3, QStringLiteral("Zander")},
                      {1, QStringLiteral("Müller")},
                      {2, QStringLiteral("Albrecht")}});
        kunden.addIndex(QStringLiteral("Standard"), QStringLiteral("Kundennummer"));
        kunden.setIndexName(QStringLiteral("Standard"));
    }

    TableCursor kunden{store, QStringLiteral("kunden")};
};

} // namespace

// A grid made while its table is closed must show the rows once it opens.
TEST_F(DataGridTest, RowsAppearWhenTheCursorOpensAndTheCursorFollowsTheGrid) {
    DataGrid grid(kunden, {QStringLiteral("Kundennummer"), QStringLiteral("Auftraggeber")});
    grid.resize(300, 200);
    grid.show();
    EXPECT_EQ(grid.model()->rowCount(), 0);
    ASSERT_TRUE(kunden.open());
    kunden.first();
    ASSERT_EQ(grid.model()->rowCount(), 3);
    EXPECT_EQ(grid.verticalHeader()->count(), 3);
    EXPECT_EQ(grid.currentIndex().row(), 0);

    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(kunden.text("Auftraggeber"), QStringLiteral("Zander"));

    kunden.prior();
    EXPECT_EQ(grid.currentIndex().row(), 1);
    grid.setCurrentIndex(grid.model()->index(0, 1));
    EXPECT_EQ(kunden.text("Auftraggeber"), QStringLiteral("Müller"));
}

TEST_F(DataGridTest, TitleClicksNameTheFieldAndReadOnlyOffersNoEditing) {
    ASSERT_TRUE(kunden.open());
    DataGrid grid(kunden, {QStringLiteral("Kundennummer"), QStringLiteral("Auftraggeber")});
    QSignalSpy titles(&grid, &DataGrid::titleClicked);
    grid.horizontalHeader()->sectionClicked(1);
    ASSERT_EQ(titles.size(), 1);
    EXPECT_EQ(titles[0][0].toString(), QStringLiteral("Auftraggeber"));

    const QModelIndex cell = grid.model()->index(0, 1);
    EXPECT_TRUE(grid.model()->flags(cell) & Qt::ItemIsEditable);
    grid.setReadOnly(true);
    EXPECT_FALSE(grid.model()->flags(cell) & Qt::ItemIsEditable);
    EXPECT_FALSE(grid.model()->setData(cell, QStringLiteral("Anders")));
    EXPECT_EQ(kunden.state(), TableCursor::State::Browse);
}

TEST_F(DataGridTest, NavigatorButtonsMoveAndStopAtTheEnds) {
    ASSERT_TRUE(kunden.open());
    kunden.first();
    using Button = DataNavigator::Button;
    DataNavigator navigator(kunden, {Button::First, Button::Prior, Button::Next, Button::Last});
    auto enabled = [&] {
        QString flags;
        for (Button b : {Button::First, Button::Prior, Button::Next, Button::Last})
            flags += navigator.button(b)->isEnabled() ? u'1' : u'0';
        return flags;
    };
    EXPECT_EQ(enabled(), QStringLiteral("0011"));
    navigator.button(Button::Next)->click();
    EXPECT_EQ(kunden.integer("Kundennummer"), 2);
    EXPECT_EQ(enabled(), QStringLiteral("1111"));
    navigator.button(Button::Last)->click();
    EXPECT_EQ(kunden.integer("Kundennummer"), 3);
    EXPECT_EQ(enabled(), QStringLiteral("1100"));
    navigator.button(Button::Prior)->click();
    navigator.button(Button::First)->click();
    EXPECT_EQ(kunden.integer("Kundennummer"), 1);
    EXPECT_EQ(navigator.button(Button::Next)->toolTip(), QStringLiteral("Nächster Datensatz"));
    kunden.close();
    EXPECT_EQ(enabled(), QStringLiteral("0000"));
}
