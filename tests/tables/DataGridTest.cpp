#include "TableFixture.h"

#include "common/WindowScaling.h"
#include "tables/DataGrid.h"
#include "tables/DataNavigator.h"
#include "tables/GridSetup.h"
#include "tables/TableGridModel.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
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

TEST_F(DataGridTest, ARowBeingInsertedShowsBeforeTheCurrentRowUntilPostedOrCancelled) {
    ASSERT_TRUE(kunden.open());
    DataGrid grid(kunden, {QStringLiteral("Kundennummer"), QStringLiteral("Auftraggeber")});
    const QAbstractItemModel& model = *grid.model();
    auto names = [&] {
        QStringList shown;
        for (int row = 0; row < model.rowCount(); ++row)
            shown << model.index(row, 0).data().toString() + ' ' +
                         model.index(row, 1).data().toString();
        return shown;
    };
    kunden.next();
    const qint64 albrecht = kunden.rowId();
    ASSERT_TRUE(kunden.insert());
    EXPECT_EQ(names(), (QStringList{"1 Müller", "0 ", "2 Albrecht", "3 Zander"}));
    EXPECT_EQ(grid.currentIndex().row(), 1);
    EXPECT_EQ(grid.gridModel().rowIdAt(1), std::nullopt);
    EXPECT_EQ(grid.gridModel().rowIdAt(2), std::optional<qint64>(albrecht));
    ASSERT_TRUE(model.flags(model.index(1, 1)) & Qt::ItemIsEditable);
    ASSERT_TRUE(grid.model()->setData(model.index(1, 1), QStringLiteral("Berger")));
    kunden.setInteger("Kundennummer", 4);
    EXPECT_EQ(names(), (QStringList{"1 Müller", "4 Berger", "2 Albrecht", "3 Zander"}));

    kunden.cancel();
    EXPECT_EQ(names(), (QStringList{"1 Müller", "2 Albrecht", "3 Zander"}));
    EXPECT_EQ(grid.currentIndex().row(), 1);

    ASSERT_TRUE(kunden.insert());
    kunden.setInteger("Kundennummer", 4);
    kunden.setText("Auftraggeber", QStringLiteral("Berger"));
    ASSERT_TRUE(kunden.post());
    EXPECT_EQ(names(), (QStringList{"1 Müller", "2 Albrecht", "3 Zander", "4 Berger"}));
    EXPECT_EQ(grid.currentIndex().row(), 3);
}

TEST_F(DataGridTest, InAnEmptyTableTheRowBeingInsertedIsTheOnlyRow) {
    ASSERT_TRUE(kunden.open());
    ASSERT_TRUE(kunden.emptyTable());
    DataGrid grid(kunden, {QStringLiteral("Auftraggeber")});
    EXPECT_EQ(grid.model()->rowCount(), 0);
    ASSERT_TRUE(kunden.insert());
    EXPECT_EQ(grid.model()->rowCount(), 1);
    EXPECT_EQ(grid.currentIndex().row(), 0);
    kunden.cancel();
    EXPECT_EQ(grid.model()->rowCount(), 0);
}

// Without auto-edit only the row the cursor edits offers its cells, so
// typing into the grid never starts an edit.
TEST_F(DataGridTest, WithoutAutoEditOnlyTheEditedRowIsEditable) {
    ASSERT_TRUE(kunden.open());
    DataGrid grid(kunden, {QStringLiteral("Kundennummer"), QStringLiteral("Auftraggeber")});
    TableGridModel& model = grid.gridModel();
    model.setAutoEdit(false);
    model.setReadOnlyField(QStringLiteral("Kundennummer"));
    model.setTitle(QStringLiteral("Auftraggeber"), QStringLiteral("Kunde"));
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Kundennummer"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Kunde"));
    auto editable = [&] {
        QString flags;
        for (int row = 0; row < model.rowCount(); ++row)
            for (int column = 0; column < 2; ++column)
                flags += model.flags(model.index(row, column)) & Qt::ItemIsEditable ? u'1' : u'0';
        return flags;
    };
    grid.show();
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_X);
    EXPECT_EQ(grid.cellEditor(), nullptr);
    EXPECT_EQ(editable(), QStringLiteral("000000"));
    EXPECT_FALSE(model.setData(model.index(0, 1), QStringLiteral("Anders")));
    EXPECT_EQ(kunden.state(), TableCursor::State::Browse);

    kunden.next();
    ASSERT_TRUE(kunden.edit());
    EXPECT_EQ(editable(), QStringLiteral("000100"));
    kunden.cancel();
    ASSERT_TRUE(kunden.insert());
    EXPECT_EQ(editable(), QStringLiteral("00010000"));
}

TEST_F(DataGridTest, TheCellEditorHoldsTheFieldSizeAndIsTakenOnPostAndDroppedOnCancel) {
    ASSERT_TRUE(kunden.open());
    DataGrid grid(kunden, {QStringLiteral("Kundennummer"), QStringLiteral("Telefon")});
    grid.resize(300, 200);
    grid.show();
    const QModelIndex phone = grid.model()->index(0, 1);
    grid.setCurrentIndex(phone);
    grid.edit(phone);
    auto* editor = qobject_cast<QLineEdit*>(grid.cellEditor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->maxLength(), 30);
    editor->setText(QStringLiteral("030 1234"));
    ASSERT_TRUE(kunden.edit());
    ASSERT_TRUE(kunden.post());
    EXPECT_EQ(grid.cellEditor(), nullptr);
    EXPECT_EQ(kunden.text("Telefon"), QStringLiteral("030 1234"));

    grid.edit(phone);
    editor = qobject_cast<QLineEdit*>(grid.cellEditor());
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("040 99"));
    ASSERT_TRUE(kunden.edit());
    kunden.cancel();
    EXPECT_EQ(grid.cellEditor(), nullptr);
    EXPECT_EQ(kunden.text("Telefon"), QStringLiteral("030 1234"));
    kunden.first();
    EXPECT_EQ(kunden.text("Telefon"), QStringLiteral("030 1234"));
}

TEST_F(DataGridTest, NavigatorEditButtonsStartPostAndCancel) {
    ASSERT_TRUE(kunden.open());
    using Button = DataNavigator::Button;
    const QList<Button> all{Button::Insert, Button::Edit, Button::Post, Button::Cancel};
    DataNavigator navigator(kunden, all);
    auto enabled = [&] {
        QString flags;
        for (Button b : all)
            flags += navigator.button(b)->isEnabled() ? u'1' : u'0';
        return flags;
    };
    QStringList hints;
    for (Button b : all)
        hints << navigator.button(b)->toolTip();
    EXPECT_EQ(hints, (QStringList{"Datensatz einfügen", "Datensatz bearbeiten", "Daten speichern",
                                  "Bearbeiten abbrechen"}));
    EXPECT_EQ(enabled(), QStringLiteral("1100"));
    navigator.button(Button::Edit)->click();
    EXPECT_EQ(kunden.state(), TableCursor::State::Edit);
    EXPECT_EQ(enabled(), QStringLiteral("1111"));
    kunden.setText("Auftraggeber", QStringLiteral("Müller-Lüdenscheidt"));
    navigator.button(Button::Post)->click();
    EXPECT_EQ(kunden.state(), TableCursor::State::Browse);
    EXPECT_EQ(enabled(), QStringLiteral("1100"));
    navigator.button(Button::Insert)->click();
    EXPECT_EQ(kunden.state(), TableCursor::State::Insert);
    navigator.button(Button::Cancel)->click();
    EXPECT_EQ(kunden.state(), TableCursor::State::Browse);
    EXPECT_EQ(customerRows(QStringLiteral("Standard")),
              (QStringList{"1|Müller-Lüdenscheidt||", "2|Albrecht||", "3|Zander||"}));
    kunden.close();
    EXPECT_EQ(enabled(), QStringLiteral("0000"));
}

// Leaving an edited row posts it; the grid then shows the row chosen.
TEST_F(DataGridTest, ChoosingAnotherRowPostsTheEditAndKeepsThatRowSelected) {
    ASSERT_TRUE(kunden.open());
    DataGrid grid(kunden, {QStringLiteral("Kundennummer"), QStringLiteral("Auftraggeber")});
    grid.resize(300, 200);
    grid.show();
    ASSERT_TRUE(kunden.edit());
    kunden.setText("Auftraggeber", QStringLiteral("Anders"));
    grid.setCurrentIndex(grid.model()->index(2, 1));
    EXPECT_EQ(kunden.state(), TableCursor::State::Browse);
    EXPECT_EQ(kunden.integer("Kundennummer"), 3);
    EXPECT_EQ(grid.currentIndex().row(), 2);
    EXPECT_EQ(grid.selectionModel()->selectedRows().size(), 1);

    ASSERT_TRUE(kunden.insert());
    grid.setCurrentIndex(grid.model()->index(1, 1));
    EXPECT_EQ(kunden.state(), TableCursor::State::Browse);
    EXPECT_EQ(kunden.integer("Kundennummer"), 2);
    EXPECT_EQ(grid.currentIndex().row(), 2);
    EXPECT_EQ(customerRows(QStringLiteral("Standard")),
              (QStringList{"0|||", "1|Anders||", "2|Albrecht||", "3|Zander||"}));
}

// A given width holds or gives way to a longer title as the window asks; no
// width fits the title. Only the row being edited takes edits, and never in a
// read-only column.
TEST_F(DataGridTest, GridSetUpGivesColumnsTheirTitlesWidthsAndReadOnlyFields) {
    ASSERT_TRUE(kunden.open());
    kunden.first();
    ASSERT_TRUE(kunden.edit());
    const GridColumn columns[] = {
        {"Kundennummer", "Nummer", 0, true},
        {"Auftraggeber", "Auftraggeber des Geräts", 40},
        {"AuftraggeberOrt", "Ort", 200},
    };
    for (const LongTitles longTitles : {LongTitles::CutShort, LongTitles::WidenColumn}) {
        QWidget window;
        DataGrid* grid = createDataGrid(kunden, columns, longTitles, &window);
        const QHeaderView& header = *grid->horizontalHeader();
        const int ppi = qRound(window.screen()->logicalDotsPerInch());
        const auto titleWidth = [&](const char* title) {
            return header.fontMetrics().horizontalAdvance(QString::fromUtf8(title)) + 12;
        };
        ASSERT_GT(titleWidth("Auftraggeber des Geräts"), scaledLength(40, ppi));
        const int longTitle = longTitles == LongTitles::CutShort
                                  ? scaledLength(40, ppi)
                                  : titleWidth("Auftraggeber des Geräts");
        EXPECT_EQ((QList<int>{header.sectionSize(0), header.sectionSize(1), header.sectionSize(2)}),
                  (QList<int>{titleWidth("Nummer"), longTitle, scaledLength(200, ppi)}));
        QStringList titles;
        for (int i = 0; i < 3; ++i)
            titles << grid->model()->headerData(i, Qt::Horizontal).toString();
        EXPECT_EQ(titles, (QStringList{"Nummer", "Auftraggeber des Geräts", "Ort"}));
        const QAbstractItemModel& model = *grid->model();
        EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
        EXPECT_TRUE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
        EXPECT_FALSE(model.flags(model.index(1, 1)) & Qt::ItemIsEditable);
    }
}
