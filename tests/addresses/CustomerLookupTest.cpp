#include "Printers.h"
#include "TableFixture.h"
#include "addresses/TFormEingabeHilfe.h"
#include "tables/DataGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

class CustomerLookupTest : public TableFixture {
protected:
    CustomerLookupTest() {
        TableCursor kunden(store, QStringLiteral("kunden"));
        EXPECT_TRUE(kunden.open());
        const QVariantList rows[] = {
            {0, QStringLiteral("Elektro Schulze"), QStringLiteral("Industrieweg 4"),
             QStringLiteral("54321 Beispielheim")},
            {3, QStringLiteral("Zander KG"), QStringLiteral("Ringstraße 1"),
             QStringLiteral("10115 Berlin"), QStringLiteral("Frau Zander"),
             QStringLiteral("030 1234"), QStringLiteral("030 1235"), QStringLiteral("Hof")},
            {1, QStringLiteral("Müller"), QStringLiteral("Hauptstraße 12"),
             QStringLiteral("12345 Musterstadt")},
            {2, QStringLiteral("Albrecht"), QStringLiteral("Am Markt 2"),
             QStringLiteral("80331 München")},
        };
        for (const QVariantList& row : rows)
            EXPECT_TRUE(kunden.insertRecord(row));
    }

    // Shows the lookup, lets `act` work on it while it is open, keeps its
    // answer in `chosen` and returns what the grid listed in its first
    // column when `act` began.
    QStringList runLookup(TFormEingabeHilfe& lookup, const std::function<void()>& act) {
        QStringList listed;
        QTimer::singleShot(0, &lookup, [&] {
            const auto& model = *grid(lookup).model();
            for (int row = 0; row < model.rowCount(); ++row)
                listed << model.index(row, 0).data().toString() + ' ' +
                              model.index(row, 1).data().toString();
            act();
            if (lookup.isVisible())
                lookup.close();
        });
        chosen = lookup.choose();
        return listed;
    }

    static DataGrid& grid(TFormEingabeHilfe& lookup) {
        return *lookup.findChild<DataGrid*>(QStringLiteral("DBGrid2"));
    }

    static QStringList edits(TFormEingabeHilfe& lookup) {
        QStringList texts;
        for (int i = 1; i <= 6; ++i)
            texts << lookup.findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(i))->text();
        return texts;
    }

    std::optional<CustomerChoice> chosen;
};

} // namespace

TEST_F(CustomerLookupTest, ListsCustomersInNumberOrderWithoutTheContractor) {
    TFormEingabeHilfe lookup(store);
    EXPECT_EQ(lookup.windowTitle(), QStringLiteral("Datenbank Auftraggeber"));
    QStringList shown;
    const QStringList listed = runLookup(lookup, [&] { shown = edits(lookup); });
    EXPECT_EQ(listed, (QStringList{"1 Müller", "2 Albrecht", "3 Zander KG"}));
    EXPECT_EQ(shown, (QStringList{"Hauptstraße 12", "12345 Musterstadt", "", "", "", ""}));
    EXPECT_TRUE(prompter.calls().empty()) << prompter.messages().join('\n').toStdString();
}

TEST_F(CustomerLookupTest, EnterTakesTheHighlightedCustomer) {
    TFormEingabeHilfe lookup(store);
    QStringList shown;
    runLookup(lookup, [&] {
        DataGrid& view = grid(lookup);
        QTest::keyClick(&view, Qt::Key_Down);
        QTest::keyClick(&view, Qt::Key_Down);
        shown = edits(lookup);
        QTest::keyClick(&view, Qt::Key_Return);
    });
    EXPECT_EQ(shown, (QStringList{"Ringstraße 1", "10115 Berlin", "Frau Zander", "030 1234",
                                  "030 1235", "Hof"}));
    EXPECT_EQ(lookup.result(), QDialog::Accepted);
    ASSERT_TRUE(chosen);
    const CustomerChoice& choice = *chosen;
    EXPECT_EQ(choice.name, QStringLiteral("Zander KG"));
    EXPECT_EQ(choice.number, 3);
    EXPECT_EQ(choice.street, QStringLiteral("Ringstraße 1"));
    EXPECT_EQ(choice.place, QStringLiteral("10115 Berlin"));
}

TEST_F(CustomerLookupTest, ANameSortLastsOnlyUntilTheLookupIsShownAgain) {
    TFormEingabeHilfe lookup(store);
    QStringList byName;
    runLookup(lookup, [&] {
        DataGrid& view = grid(lookup);
        view.horizontalHeader()->sectionClicked(1);
        for (int row = 0; row < view.model()->rowCount(); ++row)
            byName << view.model()->index(row, 1).data().toString();
        // The highlighted row is the one taken, whatever the order.
        view.setCurrentIndex(view.model()->index(0, 1));
        lookup.findChild<QPushButton*>(QStringLiteral("ButtonWeiter"))->click();
    });
    EXPECT_EQ(byName, (QStringList{"Albrecht", "Müller", "Zander KG"}));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->number, 2);

    const QStringList listed = runLookup(
        lookup, [&] { lookup.findChild<QPushButton*>(QStringLiteral("ButtonAbbruch"))->click(); });
    EXPECT_EQ(listed, (QStringList{"1 Müller", "2 Albrecht", "3 Zander KG"}));
    EXPECT_FALSE(chosen);
}

TEST_F(CustomerLookupTest, ClosingOtherwiseCountsAsAbbruch) {
    TFormEingabeHilfe lookup(store);
    runLookup(lookup, [&] { lookup.close(); });
    EXPECT_FALSE(chosen);
    runLookup(lookup,
              [&] { lookup.findChild<QPushButton*>(QStringLiteral("ButtonWeiter"))->click(); });
    EXPECT_TRUE(chosen);
    runLookup(lookup, [&] { QTest::keyClick(&grid(lookup), Qt::Key_Escape); });
    EXPECT_FALSE(chosen);
}

TEST(CustomerLookupEmpty, TakingFromAnEmptyListGivesEmptyTextsAndNumberZero) {
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    TableStore store(test_database::location(dir.path()), prompter);
    {
        TableCursor kunden(store, QStringLiteral("kunden"));
        ASSERT_TRUE(kunden.open());
        ASSERT_TRUE(kunden.insertRecord({0, QStringLiteral("Elektro Schulze")}));
    }
    TFormEingabeHilfe lookup(store);
    QTimer::singleShot(0, &lookup, [&] {
        EXPECT_EQ(lookup.findChild<DataGrid*>(QStringLiteral("DBGrid2"))->model()->rowCount(), 0);
        lookup.findChild<QPushButton*>(QStringLiteral("ButtonWeiter"))->click();
    });
    const std::optional<CustomerChoice> choice = lookup.choose();
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->name, QString());
    EXPECT_EQ(choice->number, 0);
    EXPECT_EQ(choice->place, QString());
    EXPECT_EQ(choice->street, QString());
    EXPECT_TRUE(prompter.calls().empty()) << prompter.messages().join('\n').toStdString();
}

TEST_F(CustomerLookupTest, TheNameTakesTheFreeWidthAndTabReachesTheButtons) {
    TFormEingabeHilfe lookup(store);
    QStringList focused;
    runLookup(lookup, [&] {
        const DataGrid& names = grid(lookup);
        const QHeaderView& titles = *names.horizontalHeader();
        EXPECT_EQ(titles.sectionViewportPosition(1) + titles.sectionSize(1),
                  names.viewport()->width());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&lookup));
        for (int press = 0; press < 3; ++press) {
            ASSERT_NE(QApplication::focusWidget(), nullptr);
            focused << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
    });
    EXPECT_EQ(focused, (QStringList{"DBGrid2", "ButtonAbbruch", "ButtonWeiter"}));
}
