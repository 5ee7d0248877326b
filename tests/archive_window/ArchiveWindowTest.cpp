#include "ArchiveWindowFixture.h"
#include "FakeClock.h"
#include "Printers.h"
#include "SampleReport.h"
#include "ScriptedAnswer.h"
#include "ScriptedDialog.h"
#include "TestSerial.h"
#include "archive_window/TFormArchiv.h"
#include "common/WindowScaling.h"
#include "print/RecordingPrintTarget.h"
#include "report/ProtocolFile.h"
#include "tables/DataGrid.h"
#include "tables/TableGridModel.h"
#include "tester/PortSettings.h"
#include "tester/SerialLine.h"
#include "tester/TFormAuslesen.h"

#include <QAction>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

class ArchiveWindowTest : public ArchiveWindowFixture {
protected:
    ArchiveWindowTest() {
        addCustomers({{0, QStringLiteral("Elektro Schulze")},
                      {3, QStringLiteral("Müller")},
                      {4, QStringLiteral("Zander")}});
        addArchiveRows({{1, QStringLiteral("Müller"), 3, QStringLiteral("1.2.2027")},
                        {2, QStringLiteral("Zander"), 4, QString()},
                        {3, QStringLiteral("Müller"), 3, QString()}});
        TFormArchiv::Dialogs dialogs;
        dialogs.wizard = &wizard;
        dialogs.savePrint = &savePrint;
        dialogs.customerLookup = lookup.ask();
        dialogs.customerNumberEntry = numberEntry.ask();
        window.setDialogs(dialogs);
    }

    DataGrid& grid() { return *window.findChild<DataGrid*>(QStringLiteral("DBGrid1")); }
    int column(const QString& field) {
        for (int c = 0; c < grid().model()->columnCount(); ++c)
            if (grid().gridModel().fieldName(c) == field)
                return c;
        return -1;
    }
    QStringList numbers() {
        QStringList values;
        TableCursor zt(store, QStringLiteral("zt"));
        zt.open();
        for (zt.first(); !zt.eof(); zt.next())
            values << zt.text("Zaehler") + ':' + zt.text("Auftraggeber") + ':' +
                          zt.text("Kundennummer");
        return values;
    }

    ScriptedDialog wizard;
    ScriptedDialog savePrint;
    ScriptedAnswer<std::optional<CustomerChoice>> lookup;
    ScriptedAnswer<std::optional<qint32>> numberEntry;
};

} // namespace

TEST_F(ArchiveWindowTest, EveryVisitStartsOnTheFirstRowOfAllRowsInNumberOrder) {
    window.archive().setFilter(QStringLiteral("Kundennummer=4"));
    window.archive().setFiltered(true);
    QString title;
    QString first;
    std::array<bool, 4> moves{};
    run([&] {
        title = window.windowTitle();
        first = window.archive().text("Zaehler");
        moves = {item("ErsterDatensatz1").isEnabled(), item("VorherigerDatensatz1").isEnabled(),
                 item("NaechsterDatensatz1").isEnabled(), item("LetzterDatensatz1").isEnabled()};
    });
    EXPECT_EQ(title, QStringLiteral("Archiv "));
    EXPECT_EQ(first, QStringLiteral("1"));
    EXPECT_EQ(moves, (std::array{false, false, true, true}));
    EXPECT_FALSE(window.archive().filtered());
    EXPECT_EQ(window.archive().indexName(), QStringLiteral("Standard"));
}

namespace {

// Where the ink of a title or cell lies: left or centred in its width.
QString placement(const QImage& image) {
    int first = image.width();
    int last = -1;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) < 100) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    if (last < 0)
        return QStringLiteral("empty");
    if (std::abs((first + last + 1) - image.width()) <= 3)
        return QStringLiteral("centred");
    return first <= 6 ? QStringLiteral("left") : QStringLiteral("elsewhere");
}

} // namespace

TEST_F(ArchiveWindowTest, ColumnWidthsAndPlacesOfTitlesAndCells) {
    TableCursor zt(store, QStringLiteral("zt"));
    ASSERT_TRUE(zt.open());
    zt.last();
    ASSERT_TRUE(zt.edit());
    zt.setText(QStringLiteral("Ordnung"), QStringLiteral("ja"));
    zt.setText(QStringLiteral("Typenbezeichnung"), QStringLiteral("M 90"));
    ASSERT_TRUE(zt.post());
    zt.close();
    const struct {
        const char* field;
        int width;
        const char* title;
        const char* cell; // in the last row
    } cases[] = {
        {"Kundennummer", 85, "left", "left"},
        {"Typenbezeichnung", 120, "centred", "left"},
        {"Ordnung", 40, "centred", "centred"},
    };
    run([&] {
        QHeaderView& titles = *grid().horizontalHeader();
        const int ppi = qRound(window.screen()->logicalDotsPerInch());
        for (const auto& c : cases) {
            const int col = column(QLatin1String(c.field));
            EXPECT_EQ(titles.sectionSize(col), scaledLength(c.width, ppi)) << c.field;
            // Wide enough for the whole title, so its place shows.
            titles.resizeSection(col, 200);
            grid().scrollTo(grid().model()->index(2, col));
            const QRect title(titles.sectionViewportPosition(col), 0, 200, titles.height());
            EXPECT_EQ(placement(titles.grab(title).toImage()), QLatin1String(c.title)) << c.field;
            const QRect cell =
                grid().visualRect(grid().model()->index(2, col)).adjusted(1, 1, -1, -1);
            EXPECT_EQ(placement(grid().viewport()->grab(cell).toImage()), QLatin1String(c.cell))
                << c.field;
        }
    });
}

TEST_F(ArchiveWindowTest, EditingItemsFollowTheStateAndTheGridAddsNoRows) {
    std::array<bool, 3> browsing{};
    std::array<bool, 3> editing{};
    int rows = 0;
    run([&] {
        browsing = {item("DatensatzBearbeiten1").isEnabled(), item("Uebernehmen1").isEnabled(),
                    item("BearbeitungAbbrechen1").isEnabled()};
        item("DatensatzBearbeiten1").trigger();
        editing = {item("DatensatzBearbeiten1").isEnabled(), item("Uebernehmen1").isEnabled(),
                   item("BearbeitungAbbrechen1").isEnabled()};
        item("BearbeitungAbbrechen1").trigger();
        window.archive().last();
        QTest::keyClick(&grid(), Qt::Key_Down);
        QTest::keyClick(&grid(), Qt::Key_Insert);
        rows = grid().model()->rowCount();
    });
    EXPECT_EQ(browsing, (std::array{true, false, false}));
    EXPECT_EQ(editing, (std::array{false, true, true}));
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(numbers().size(), 3);
}

TEST_F(ArchiveWindowTest, DeletingAskesAndEmptyingAsksAgain) {
    prompter.answer(Prompter::Answer::No);
    prompter.answer(Prompter::Answer::Yes);
    prompter.answer(Prompter::Answer::Yes);
    run([&] {
        item("DatensatzLoeschen1").trigger();
        window.archive().next();
        item("DatensatzLoeschen1").trigger();
    });
    EXPECT_EQ(numbers(), (QStringList{"1:Müller:3", "3:Müller:3"}));
    run([&] { item("AlleDatensaetzeLoeschen1").trigger(); });
    EXPECT_EQ(prompter.messages(),
              (QStringList{"Bestätigung| Datensatz löschen?", "Bestätigung| Datensatz löschen?",
                           "Bestätigung|Sollen alle Datensätze unwiderruflich gelöscht werden?"}));
    EXPECT_TRUE(numbers().isEmpty());

    // After emptying, a file import numbers its row 1 again.
    const QString path = dir.filePath(QStringLiteral("a.pro"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    Protokoll report = sampleReport();
    report.Kunde1 = QStringLiteral("Zander");
    file.write(protocol_file::buildProtocolImage(report));
    file.close();
    prompter.chooseFiles({path});
    run([&] { item("ausDateien1").trigger(); });
    EXPECT_EQ(numbers(), QStringList{"1:Zander:4"});
}

TEST_F(ArchiveWindowTest, ALeavingOperationAsksToKeepTheEditsNoDropsThem) {
    prompter.answer(Prompter::Answer::No);
    prompter.cancelDialog();
    run([&] {
        window.archive().edit();
        window.archive().setText("Geraeteart", QStringLiteral("Toaster"));
        item("ausDateien1").trigger();
    });
    EXPECT_EQ(prompter.messages().first(),
              QStringLiteral("Frage|Sollen die Änderungen am aktuellen Datensatz gespeichert "
                             "werden?"));
    TableCursor zt(store, QStringLiteral("zt"));
    zt.open();
    zt.first();
    EXPECT_EQ(zt.text("Geraeteart"), QString());
    EXPECT_EQ(prompter.calls()[1].kind, ScriptedPrompter::Kind::OpenFiles);
}

TEST_F(ArchiveWindowTest, TheWizardOpensOnlyFromNumberOrFileColumnsAndCtrlL) {
    prompter.answer(Prompter::Answer::Cancel);
    run([&] {
        const QModelIndex name = grid().model()->index(0, column(QStringLiteral("Auftraggeber")));
        grid().doubleClicked(name);
        const QModelIndex number = grid().model()->index(0, column(QStringLiteral("Zaehler")));
        grid().doubleClicked(number);
    });
    EXPECT_EQ(prompter.messages(),
              QStringList{"Hinweis|Das Protokoll-Eingabefenster wird aktiviert."});
    EXPECT_EQ(wizard.shown, 0);

    prompter.answer(Prompter::Answer::Ok);
    prompter.answer(Prompter::Answer::Cancel);
    run([&] { QTest::keyClick(&grid(), Qt::Key_L, Qt::ControlModifier); });
    EXPECT_EQ(wizard.shown, 1);
    EXPECT_EQ(savePrint.shown, 1);
    EXPECT_EQ(numbers(), (QStringList{"1:Müller:3", "2:Zander:4", "3:Müller:3"}));
}

TEST_F(ArchiveWindowTest, CustomerDialogsWhileEditing) {
    lookup.answer = CustomerChoice{QStringLiteral("Zander"), 4, {}, {}};
    run([&] {
        grid().setCurrentIndex(grid().model()->index(0, column(QStringLiteral("Auftraggeber"))));
        item("DatensatzBearbeiten1").trigger();
        EXPECT_EQ(grid().currentIndex().column(), column(QStringLiteral("Geraeteart")));
        item("Uebernehmen1").trigger();
    });
    EXPECT_EQ(lookup.shown, 1);
    EXPECT_EQ(numbers().first(), QStringLiteral("1:Zander:4"));

    // 0 is never the contractor: the lookup comes instead.
    numberEntry.answer = 0;
    lookup.answer = std::nullopt;
    run([&] {
        grid().setCurrentIndex(grid().model()->index(1, column(QStringLiteral("Kundennummer"))));
        item("DatensatzBearbeiten1").trigger();
        item("Uebernehmen1").trigger();
    });
    EXPECT_EQ(numberEntry.shown, 1);
    EXPECT_EQ(lookup.shown, 2);
    EXPECT_EQ(numbers()[1], QStringLiteral("2:Zander:4"));

    numberEntry.answer = 3;
    run([&] {
        grid().setCurrentIndex(grid().model()->index(1, column(QStringLiteral("Kundennummer"))));
        item("DatensatzBearbeiten1").trigger();
        item("Uebernehmen1").trigger();
    });
    EXPECT_EQ(numbers()[1], QStringLiteral("2:Müller:3"));
}

TEST_F(ArchiveWindowTest, APortThatCannotBeOpenedEndsTheMemoryImport) {
    // why the system refused | message
    const std::pair<QString, QString> cases[] = {
        {QString(), QStringLiteral("Fehler| Schnittstelle konnte nicht geöffnet werden")},
        {QStringLiteral("Keine Berechtigung."),
         QStringLiteral(
             "Fehler| Schnittstelle konnte nicht geöffnet werden\n\nKeine Berechtigung.")},
    };
    QStringList messages;
    for (const auto& [problem, message] : cases) {
        FakeClock clock;
        TestSerialDevice device(clock);
        TestSerialPorts ports(device);
        ports.setRefuseOpen(true);
        ports.setOpenProblem(problem);
        SerialLine line(ports, clock);
        TFormAuslesen readout(tester, state.report, prompter, line);
        PortSettings settings;
        TFormArchiv::Dialogs dialogs;
        dialogs.memoryReadout = &readout;
        dialogs.portSettings = &settings;
        window.setDialogs(dialogs);
        bool closed = false;
        run([&] {
            item("vomMWSpeicher1").trigger();
            closed = !window.isVisible();
        });
        EXPECT_TRUE(closed);
        messages << message;
        ASSERT_EQ(prompter.calls().size(), 2u * messages.size());
        EXPECT_EQ(prompter.calls()[prompter.calls().size() - 2].kind, ScriptedPrompter::Kind::Beep);
        EXPECT_EQ(prompter.messages(), messages);
        EXPECT_FALSE(readout.isVisible());
        EXPECT_EQ(numbers().size(), 3);
    }
}
