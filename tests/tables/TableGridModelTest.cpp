#include "TableFixture.h"

#include "tables/TableGridModel.h"

#include <QSignalSpy>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QTest>

namespace {

// 300 archive rows over ten customers, some dates empty.
class TableGridModelTest : public TableFixture {
protected:
    void SetUp() override {
        const QStringList names{"Öztürk", "Albers", "meier", "Zander", "Müller",
                                "Bär",    "Meier",  "Ulm",   "Abel",   "Otto"};
        QList<std::tuple<int, QString, int, QString>> rows;
        for (int i = 1; i <= 300; ++i)
            rows.append({i, names[i % 10], i % 10 + 1,
                         i % 7 == 0
                             ? QString()
                             : QStringLiteral("%1.%2.2011").arg(i % 28 + 1).arg(i % 12 + 1)});
        addArchiveRows(rows);
        zt.addIndex(QStringLiteral("Aktuell"), QStringLiteral("Auftraggeber;Zaehler"));
        zt.setIndexName(QStringLiteral("Aktuell"));
        ASSERT_TRUE(zt.open());
    }

    // The grid's column as the cursor visits the rows.
    QStringList cursorOrder(const QString& field) { return column(zt, field); }

    QStringList gridColumn(const TableGridModel& model, int column) {
        QStringList values;
        for (int row = 0; row < model.rowCount(); ++row)
            values << model.data(model.index(row, column)).toString();
        return values;
    }

    TableCursor zt{store, QStringLiteral("zt")};
};

} // namespace

TEST_F(TableGridModelTest, PagesFollowTheCursorsOrderAndFilter) {
    TableGridModel model(zt, {"Zaehler", "Auftraggeber", "Termin", "Satz1"});
    EXPECT_EQ(model.columnCount(), 4);
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), "Termin");
    ASSERT_EQ(model.rowCount(), 300);
    EXPECT_EQ(gridColumn(model, 0), cursorOrder("Zaehler"));
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), "Abel");
    EXPECT_EQ(model.data(model.index(299, 1)).toString(), "Zander");
    EXPECT_EQ(model.data(model.index(0, 3)).toString(), "nein");

    zt.setFilter(QStringLiteral("Auftraggeber='Meier' AND Termin<= 31.05.2011 "));
    zt.setFiltered(true);
    const QStringList filtered = cursorOrder("Zaehler");
    ASSERT_FALSE(filtered.isEmpty());
    EXPECT_EQ(model.rowCount(), filtered.size());
    EXPECT_EQ(gridColumn(model, 0), filtered);
    EXPECT_EQ(gridColumn(model, 2), cursorOrder("Termin"));
    for (const QString& date : gridColumn(model, 2))
        EXPECT_TRUE(date.endsWith(".2011") && date.size() == 10) << date.toStdString();
}

TEST_F(TableGridModelTest, CurrentRowFollowsTheCursor) {
    TableGridModel model(zt);
    QSignalSpy moved(&model, &TableGridModel::currentRowChanged);
    EXPECT_EQ(model.currentRow(), 0);
    zt.last();
    EXPECT_EQ(model.currentRow(), 299);
    ASSERT_TRUE(zt.locate("Auftraggeber", {"mül"}, {true, true}));
    const int row = model.currentRow();
    EXPECT_EQ(model.data(model.index(row, 0)).toString(), zt.text("Zaehler"));
    EXPECT_EQ(model.data(model.index(row - 1, 2)).toString(), "Meier");
    EXPECT_EQ(moved.count(), 2);
    EXPECT_EQ(moved.last().at(0).toInt(), row);
}

TEST_F(TableGridModelTest, EditingACellEditsTheCursorsRow) {
    TableGridModel model(zt, {"Zaehler", "Auftraggeber", "Satz2"});
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    const QModelIndex cell = model.index(130, 2);
    const QString number = model.data(model.index(130, 0)).toString();
    ASSERT_TRUE(model.setData(cell, "ja"));
    EXPECT_EQ(zt.state(), TableCursor::State::Edit);
    EXPECT_EQ(zt.text("Zaehler"), number);
    EXPECT_EQ(model.data(cell).toString(), "ja");
    EXPECT_FALSE(model.setData(cell, "vielleicht"));
    EXPECT_EQ(prompter.messages(),
              QStringList{"Fehler|'vielleicht' ist kein gültiger Wert: nur ja oder nein"});
    ASSERT_TRUE(zt.post());
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(model.rowCount(), 300);
    EXPECT_EQ(model.data(cell).toString(), "ja");
    EXPECT_EQ(model.currentRow(), 130);
    zt.first();
    ASSERT_TRUE(zt.locate("Zaehler", {number.toInt()}));
    EXPECT_TRUE(zt.boolean("Satz2"));
}

// A reset counts the rows and reads the first page; the keys of the other
// pages are collected in steps while the window is idle, or at once as far
// as a jump needs them.
TEST_F(TableGridModelTest, PageKeysAreCollectedInStepsAndOnlyAsFarAsNeeded) {
    TableGridModel model(zt, {"Zaehler", "Auftraggeber"});
    model.setKeysPerScanStep(2 * TableGridModel::kPageSize);
    EXPECT_EQ(model.rowCount(), 300);
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), "Abel");
    EXPECT_FALSE(model.keysCollected());
    // The last row is found from the end, not by collecting every key.
    zt.last();
    EXPECT_EQ(model.currentRow(), 299);
    EXPECT_FALSE(model.keysCollected());
    EXPECT_EQ(model.data(model.index(299, 1)).toString(), "Zander");
    EXPECT_TRUE(model.keysCollected());

    zt.setFiltered(true);
    zt.setFilter(QStringLiteral("Zaehler> 10"));
    EXPECT_EQ(model.rowCount(), 290);
    EXPECT_FALSE(model.keysCollected());
    EXPECT_TRUE(QTest::qWaitFor([&] { return model.keysCollected(); }, 2000));
    EXPECT_EQ(gridColumn(model, 0), cursorOrder("Zaehler"));
}

// Rows without a customer number sort first; every step and page of an
// order through that field finds them, forwards and backwards.
TEST_F(TableGridModelTest, AnOrderThroughEmptyNumbersVisitsEveryRowOnce) {
    QSqlQuery(store.database())
        .exec(QStringLiteral("UPDATE zt SET \"Kundennummer\" = NULL WHERE \"Zaehler\" % 3 = 0"));
    zt.close();
    zt.addIndex(QStringLiteral("Kunde"), QStringLiteral("Kundennummer;Zaehler"));
    zt.setIndexName(QStringLiteral("Kunde"));
    ASSERT_TRUE(zt.open());
    QStringList expected;
    QSqlQuery sorted(store.database());
    sorted.exec(QStringLiteral(
        "SELECT \"Zaehler\" FROM zt ORDER BY \"Kundennummer\" NULLS FIRST, \"Zaehler\""));
    while (sorted.next())
        expected << sorted.value(0).toString();
    ASSERT_EQ(expected.size(), 300);
    ASSERT_EQ(expected.first(), "3");

    EXPECT_EQ(cursorOrder("Zaehler"), expected);
    QStringList backwards;
    for (zt.last(); !zt.bof(); zt.prior())
        backwards.prepend(zt.text("Zaehler"));
    EXPECT_EQ(backwards, expected);
    TableGridModel model(zt, {"Zaehler", "Kundennummer"});
    model.setKeysPerScanStep(TableGridModel::kPageSize);
    EXPECT_EQ(gridColumn(model, 0), expected);
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), "");
    ASSERT_TRUE(zt.locate("Zaehler", {150}));
    EXPECT_EQ(model.data(model.index(model.currentRow(), 0)).toString(), "150");
}

// The number of all rows is counted again only after something was written,
// here or by another program: a filter cleared or another order chosen does
// not count again, but never shows a stale number.
TEST_F(TableGridModelTest, TheCountOfAllRowsFollowsEveryWriter) {
    TableGridModel model(zt, {"Zaehler"});
    EXPECT_EQ(model.rowCount(), 300);
    TableCursor other(store, QStringLiteral("zt"));
    ASSERT_TRUE(other.open());
    ASSERT_TRUE(other.insertRecord({301}));
    zt.refresh();
    EXPECT_EQ(model.rowCount(), 301);

    ScriptedPrompter elsewhere;
    TableStore otherProgram(test_database::location(dir.path()), elsewhere);
    TableCursor theirs(otherProgram, QStringLiteral("zt"));
    ASSERT_TRUE(theirs.open());
    ASSERT_TRUE(theirs.insertRecord({302}));
    zt.setFilter(QStringLiteral("Zaehler< 10"));
    zt.setFiltered(true);
    EXPECT_EQ(model.rowCount(), 9);
    zt.setFilter(QString());
    EXPECT_EQ(model.rowCount(), 302);
    ASSERT_TRUE(theirs.emptyTable());
    zt.refresh();
    EXPECT_EQ(model.rowCount(), 0);
}

// Two PCs on one server: what the other one writes shows in the grid without
// a step here, but a row being typed into is left alone.
TEST_F(TableGridModelTest, AnotherPcsWritesShowWithoutAStepHere) {
    if (!test_database::onServer())
        GTEST_SKIP() << "a server run only: one program works on the file";
    TableGridModel model(zt, {"Zaehler", "Auftraggeber"});
    EXPECT_EQ(model.rowCount(), 300);
    ScriptedPrompter elsewhere;
    TableStore otherPc(test_database::location(dir.path()), elsewhere);
    TableCursor theirs(otherPc, QStringLiteral("zt"));
    ASSERT_TRUE(theirs.open());
    ASSERT_TRUE(theirs.insertRecord({301, QString(), QStringLiteral("Neu")}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return model.rowCount() == 301; }, 5000));

    ASSERT_TRUE(zt.edit());
    ASSERT_TRUE(zt.setText(QStringLiteral("Ort"), QStringLiteral("Ulm")));
    QSignalSpy told(store.database().driver(), &QSqlDriver::notification);
    ASSERT_TRUE(theirs.insertRecord({302}));
    EXPECT_TRUE(told.wait(5000));
    EXPECT_EQ(zt.state(), TableCursor::State::Edit);
    EXPECT_EQ(zt.text(QStringLiteral("Ort")), "Ulm");
    EXPECT_TRUE(prompter.messages().isEmpty());
}
