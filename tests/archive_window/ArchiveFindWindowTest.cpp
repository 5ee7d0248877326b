#include "ArchiveWindowFixture.h"
#include "DialogScript.h"
#include "SampleReport.h"
#include "archive_window/TFormArchiv.h"
#include "archive_window/TFormFilter.h"
#include "archive_window/TFormSortier.h"
#include "archive_window/TFormSuchen.h"
#include "print/RecordingPrintTarget.h"
#include "report/ProtocolFile.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString kSaveQuestion =
    QStringLiteral("Frage|Sollen die Änderungen am aktuellen Datensatz gespeichert werden?");

// The archive with its real search, filter and sort dialogs.
class ArchiveFindWindowTest : public ArchiveWindowFixture {
protected:
    ArchiveFindWindowTest() {
        addCustomers({{3, QStringLiteral("Meier")},
                      {4, QStringLiteral("Zander")},
                      {5, QStringLiteral("Bär")}});
        addArchiveRows({{1, QStringLiteral("Zander"), 4, QStringLiteral("1.2.2027")},
                        {2, QStringLiteral("Meier"), 3, QString()},
                        {3, QStringLiteral("Bär"), 5, QStringLiteral("1.1.2020")},
                        {4, QStringLiteral("Meier"), 3, QString()}});
        TFormArchiv::Dialogs dialogs;
        dialogs.sort = &sortDialog;
        dialogs.filter = &filterDialog;
        dialogs.search = &searchDialog;
        window.setDialogs(dialogs);
    }

    template <typename T> T& in(QDialog& dialog, const char* name) {
        return *dialog.findChild<T*>(QLatin1String(name));
    }
    void searchFor(int entry, const QString& value) {
        search.then([=, this] {
            in<QComboBox>(searchDialog, "ComboBox1").setCurrentIndex(entry);
            in<QLineEdit>(searchDialog, "Edit1").setText(value);
            in<QPushButton>(searchDialog, "ButtonWeiter").click();
        });
    }
    void filterBy(int field, int op, const QString& value) {
        filter.then([=, this] {
            in<QComboBox>(filterDialog, "ComboBoxFeld1").setCurrentIndex(field);
            in<QComboBox>(filterDialog, "ComboBoxOperator1").setCurrentIndex(op);
            in<QLineEdit>(filterDialog, "EditWert1").setText(value);
            in<QPushButton>(filterDialog, "ButtonWeiter").click();
        });
    }
    void filterButton(const char* name) {
        filter.then([=, this] { in<QPushButton>(filterDialog, name).click(); });
    }
    void sortBy(int first, int second = 0) {
        sort.then([=, this] {
            in<QComboBox>(sortDialog, "ComboBox1").setCurrentIndex(first - 1);
            in<QComboBox>(sortDialog, "ComboBox2").setCurrentIndex(second);
            in<QPushButton>(sortDialog, "BitBtnOK").click();
        });
    }
    QString rows() {
        QStringList numbers;
        TableCursor& zt = window.archive();
        const qint64 current = zt.rowId();
        for (zt.first(); !zt.eof(); zt.next())
            numbers << zt.text("Zaehler");
        zt.gotoRowId(current);
        return numbers.join(',');
    }
    void editCustomerName(const QString& name) {
        window.archive().edit();
        window.archive().setText("Geraeteart", name);
    }
    QStringList marked() {
        TableCursor zt(store, QStringLiteral("zt"));
        zt.open();
        QStringList numbers;
        for (zt.first(); !zt.eof(); zt.next())
            if (zt.boolean("Gefunden"))
                numbers << zt.text("Zaehler");
        return numbers;
    }
    QString writePro(const QString& customer) {
        const QString path = dir.filePath(customer + QStringLiteral(".pro"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        Protokoll report = sampleReport();
        report.Kunde1 = customer;
        file.write(protocol_file::buildProtocolImage(report));
        return path;
    }

    TFormSortier sortDialog;
    TFormFilter filterDialog{prompter};
    TFormSuchen searchDialog{prompter};
    DialogScript sort{sortDialog};
    DialogScript filter{filterDialog};
    DialogScript search{searchDialog};
};

} // namespace

TEST_F(ArchiveFindWindowTest, NewSearchAndContinuedSearchFromTheMenu) {
    searchFor(3, QStringLiteral("Mei"));
    QStringList visited;
    std::array<bool, 3> continuing{};
    run([&] {
        continuing[0] = item("SucheFortsetzen1").isEnabled();
        item("NeueSuche1").trigger();
        visited << window.archive().text("Zaehler");
        continuing[1] = item("SucheFortsetzen1").isEnabled();
        item("SucheFortsetzen1").trigger();
        visited << window.archive().text("Zaehler");
        item("SucheFortsetzen1").trigger();
        visited << window.archive().text("Zaehler");
        continuing[2] = item("SucheFortsetzen1").isEnabled();
    });
    EXPECT_EQ(item("NeueSuche1").shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(item("SucheFortsetzen1").shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(search.shown, 1);
    EXPECT_EQ(visited, (QStringList{"2", "4", "4"}));
    EXPECT_EQ(continuing, (std::array{false, true, false}));
    EXPECT_EQ(prompter.messages(), QStringList{"Ergebnis|Suche erfolglos"});
    EXPECT_EQ(marked(), (QStringList{"2", "4"}));

    // Abbruch searches nothing; a search that finds nothing says so.
    search.then([&] { in<QPushButton>(searchDialog, "ButtonAbbruch").click(); });
    searchFor(3, QStringLiteral("mei"));
    run([&] {
        item("NeueSuche1").trigger();
        item("NeueSuche1").trigger();
        continuing[0] = item("SucheFortsetzen1").isEnabled();
    });
    EXPECT_EQ(prompter.messages().size(), 2);
    EXPECT_FALSE(continuing[0]);
    EXPECT_TRUE(marked().isEmpty());
}

TEST_F(ArchiveFindWindowTest, EveryFindingOperationAsksToKeepTheEditsFirst) {
    searchFor(3, QStringLiteral("Zan"));
    filterButton("ButtonAbbrechen");
    sort.then([&] { in<QPushButton>(sortDialog, "BitBtnCancel").click(); });
    searchFor(3, QStringLiteral("Bär"));
    for (int i = 0; i < 4; ++i)
        prompter.answer(Prompter::Answer::No);
    QStringList kinds;
    run([&] {
        window.archive().last();
        editCustomerName(QStringLiteral("Toaster"));
        item("NeueSuche1").trigger();
        editCustomerName(QStringLiteral("Toaster"));
        item("Filtern1").trigger();
        editCustomerName(QStringLiteral("Toaster"));
        item("Sortieren1").trigger();
        item("NeueSuche1").trigger();
        editCustomerName(QStringLiteral("Toaster"));
        item("SucheFortsetzen1").trigger();
    });
    EXPECT_EQ(prompter.messages(), (QStringList{kSaveQuestion, kSaveQuestion, kSaveQuestion,
                                                kSaveQuestion, "Ergebnis|Suche erfolglos"}));
    TableCursor zt(store, QStringLiteral("zt"));
    zt.open();
    EXPECT_EQ(column(zt, "Geraeteart"), (QStringList{"", "", "", ""}));
    EXPECT_EQ(search.shown, 2);
    EXPECT_EQ(filter.shown, 1);
    EXPECT_EQ(sort.shown, 1);
}

TEST_F(ArchiveFindWindowTest, TheCaptionAndTheImportTellWhetherAFilterIsActive) {
    filterBy(4, 0, QStringLiteral("Meier"));
    filterButton("ButtonFilterLoeschen");
    filterBy(0, 0, QString());
    prompter.chooseFiles({writePro(QStringLiteral("Zander"))});
    prompter.answer(Prompter::Answer::Ok);
    prompter.chooseFiles({writePro(QStringLiteral("Bär"))});
    QStringList titles;
    QStringList shown;
    run([&] {
        item("Filtern1").trigger();
        titles << window.windowTitle();
        shown << rows();
        item("ausDateien1").trigger();
        item("Filtern1").trigger();
        titles << window.windowTitle();
        shown << rows();
        item("ausDateien1").trigger();
        item("Filtern1").trigger();
        titles << window.windowTitle();
        shown << rows();
    });
    EXPECT_EQ(titles, (QStringList{"Archiv        (Filter aktiv)", "Archiv ", "Archiv "}));
    EXPECT_EQ(shown, (QStringList{"2,4", "1,2,3,4,5", "1,2,3,4,5,6"}));
    EXPECT_EQ(prompter.messages(),
              (QStringList{"Hinweis|Der von Ihnen definierte Filter ist aktiv. Möglicherweise "
                           "wird Ihre Datei deshalb nicht angezeigt.",
                           "Hinweis|Es wurde kein Spaltenname für Bedingung Nr.1 ausgewählt. Es "
                           "kann keine Filterung ausgeführt werden."}));
}

TEST_F(ArchiveFindWindowTest, SortAndFilterLastUntilTheArchiveIsShownAgain) {
    sortBy(4);
    filterBy(3, 3, QStringLiteral("5"));
    // Cancelled: the last sort again.
    sort.then([&] {
        in<QComboBox>(sortDialog, "ComboBox1").setCurrentIndex(0);
        in<QPushButton>(sortDialog, "BitBtnCancel").click();
    });
    QStringList orders;
    run([&] {
        item("Sortieren1").trigger();
        orders << rows();
        item("Filtern1").trigger();
        orders << rows();
        item("Sortieren1").trigger();
        orders << rows();
    });
    EXPECT_EQ(orders, (QStringList{"3,2,4,1", "2,4,1", "2,4,1"}));

    // The next visit: all rows by number, and every dialog starts afresh.
    std::array<int, 3> sortShown{};
    int filterField = -1;
    sort.then([&] {
        sortShown = {in<QComboBox>(sortDialog, "ComboBox1").currentIndex(),
                     in<QComboBox>(sortDialog, "ComboBox2").currentIndex(),
                     in<QComboBox>(sortDialog, "ComboBox3").currentIndex()};
        in<QPushButton>(sortDialog, "BitBtnCancel").click();
    });
    filter.then([&] {
        filterField = in<QComboBox>(filterDialog, "ComboBoxFeld1").currentIndex();
        in<QPushButton>(filterDialog, "ButtonAbbrechen").click();
    });
    QString title;
    run([&] {
        title = window.windowTitle();
        orders << rows();
        item("Sortieren1").trigger();
        item("Filtern1").trigger();
        orders << rows();
    });
    EXPECT_EQ(title, QStringLiteral("Archiv "));
    EXPECT_EQ(orders.mid(3), (QStringList{"1,2,3,4", "1,2,3,4"}));
    EXPECT_EQ(sortShown, (std::array{0, 0, 0}));
    EXPECT_EQ(filterField, 0);
    EXPECT_EQ(window.archive().indexName(), QStringLiteral("Standard"));
}
