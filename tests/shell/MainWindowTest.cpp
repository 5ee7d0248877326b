#include "FileWriting.h"
#include "Printers.h"
#include "ScriptedPrompter.h"
#include "print/PrinterSystem.h"
#include "report/ProtocolFile.h"
#include "report/ReportSession.h"
#include "shell/HelpViewer.h"
#include "shell/TForm1.h"
#include "tables/TableCursor.h"
#include "tables/TableStore.h"
#include "tester/TesterState.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct FakePrinters : PrinterSystem {
    bool present = true;
    bool hasPrinter() const override { return present; }
};

// Stands in for a window that is not under test: notes when it was shown and
// what the shared state said then, and closes itself.
class RecordingDialog : public QDialog {
public:
    RecordingDialog(const char* name, QStringList& log, const ReportSession& state)
        : name_(QLatin1String(name))
        , log_(log)
        , state_(state) {}

protected:
    void showEvent(QShowEvent*) override {
        log_ << QStringLiteral("%1 newReport=%2").arg(name_).arg(state_.report.newReport);
        QTimer::singleShot(0, this, &QDialog::accept);
    }

private:
    QString name_;
    QStringList& log_;
    const ReportSession& state_;
};

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
        : window(state, testerState, prompter, printers, help, tables) {}

    QString writeFile(const QString& name, const QByteArray& bytes) {
        return ::writeFile(dir.path(), name, bytes);
    }

    QString savedReport() {
        Protokoll saved;
        saved.AuftragNr = QStringLiteral("A-17");
        saved.Kunde1 = QStringLiteral("Müller GmbH");
        saved.Schutzklasse = QStringLiteral("2");
        saved.Pruefung = QStringLiteral("DIN VDE 0702");
        saved.Wert1 = QStringLiteral("12.5");
        saved.Satz2 = 1;
        saved.Diff = 1;
        return writeFile(QStringLiteral("bericht.pro"), protocol_file::buildProtocolImage(saved));
    }

    void connectRecorders() {
        TForm1::Windows windows;
        windows.wizard = &wizard;
        windows.savePrint = [this](SavePrintMode mode) {
            shown << QStringLiteral("savePrint newReport=%1 mode=%2")
                         .arg(state.report.newReport)
                         .arg(static_cast<int>(mode));
        };
        window.setWindows(windows);
    }

    QTemporaryDir dir;
    ReportSession state;
    TesterState testerState;
    ScriptedPrompter prompter;
    FakePrinters printers;
    HelpViewer help;
    QTemporaryDir dataDir;
    TableStore tables{dataDir.path(), prompter};
    TForm1 window;
    QStringList shown;
    RecordingDialog wizard{"wizard", shown, state};
};

QString describe(const QAction* action) {
    if (action->isSeparator())
        return QStringLiteral("-");
    return QStringLiteral("%1|%2|%3")
        .arg(action->objectName(), action->text())
        .arg(action->property("helpContext").toInt());
}

} // namespace

TEST_F(MainWindowTest, CaptionAndStartValues) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Veltrax Gerätetester 0701/0702"));
    EXPECT_EQ(testerState.memorySoftwareVersion, QStringLiteral("B"));
    EXPECT_EQ(window.centralWidget()->palette().color(QPalette::Window), QColor(128, 128, 128));
}

TEST_F(MainWindowTest, MenuCaptionsNamesAndHelpTopics) {
    QStringList top;
    for (const QAction* action : window.menuBar()->actions())
        top << describe(action);
    EXPECT_EQ(top, (QStringList{
                       QStringLiteral("Datei1|&Datei|4005"),
                       QStringLiteral("Schnittstelle|&Auswahl Schnittstelle|4010"),
                       QStringLiteral("Fernbedienung|&Fernbedienung |4015"),
                       QStringLiteral("Mewertspeicher1|A&rchiv|4025"),
                       QStringLiteral("FaelligePruefungen1|Fä&llige Prüfungen|4025"),
                       QStringLiteral("Kundenverwaltung1|Adressen&verwaltung|4020"),
                       QStringLiteral("Hilfe1|&Hilfe|0"),
                   }));

    const std::pair<const char*, QStringList> menus[] = {
        {"Datei1",
         {QStringLiteral("DateiOeffnen|Ö&ffnen...|4005"), QStringLiteral("-"),
          QStringLiteral("Drucken|&Drucken...|4005"),
          QStringLiteral("Druckereinrichtung|Drucker&einrichtung...|4005"), QStringLiteral("-"),
          QStringLiteral("Datensicherung|Datensi&cherung…|4005"),
          QStringLiteral("Zurueckladen|Datensicherung &zurückladen…|4005"), QStringLiteral("-"),
          QStringLiteral("DateiBeenden|&Beenden|4005")}},
        {"Kundenverwaltung1",
         {QStringLiteral("Kunden1|&Kunden|4020"),
          QStringLiteral("Auftragnehmer1|&Auftragnehmer|4020")}},
        {"Hilfe1", {QStringLiteral("Hilfethemen|&Hilfethemen|0"), QStringLiteral("Info1|&Info|0")}},
    };
    for (const auto& [name, items] : menus) {
        auto* menu = window.findChild<QMenu*>(QLatin1String(name));
        ASSERT_NE(menu, nullptr) << name;
        QStringList seen;
        for (const QAction* action : menu->actions())
            seen << describe(action);
        EXPECT_EQ(seen, items) << name;
    }
}

TEST_F(MainWindowTest, ItemsOfWindowsNotYetThereAreDisabled) {
    auto item = [&](const char* name) { return window.findChild<QAction*>(QLatin1String(name)); };
    EXPECT_FALSE(item("Info1")->isEnabled());
    EXPECT_FALSE(item("FaelligePruefungen1")->isEnabled());
    EXPECT_TRUE(item("DateiOeffnen")->isEnabled());
    QDialog about;
    TForm1::Windows windows;
    windows.about = &about;
    window.setWindows(windows);
    EXPECT_TRUE(item("Info1")->isEnabled());
    EXPECT_FALSE(item("Schnittstelle")->isEnabled());
    EXPECT_FALSE(item("Kunden1")->isEnabled());
    EXPECT_FALSE(item("FaelligePruefungen1")->isEnabled());
}

TEST_F(MainWindowTest, OpenCancelledChangesNothing) {
    state.protocolFileName = QStringLiteral("/alt/vorher.pro");
    state.record.AuftragNr = QStringLiteral("vorher");
    const ReportSession before = state;
    connectRecorders();

    prompter.cancelDialog();
    window.DateiOeffnenClick();
    prompter.cancelDialog();
    window.DruckenClick();

    ASSERT_EQ(prompter.calls().size(), 2u);
    EXPECT_EQ(prompter.calls()[0].caption, QStringLiteral("Protokoll öffnen"));
    EXPECT_EQ(prompter.calls()[0].dialog.filter, QStringLiteral("Protokolldateien (*.pro)|*.pro"));
    EXPECT_EQ(prompter.calls()[0].dialog.defaultSuffix, QStringLiteral("pro"));
    EXPECT_EQ(prompter.calls()[0].text, QString()); // no file proposed
    EXPECT_EQ(prompter.calls()[1].caption, QStringLiteral("Protokoll zum Drucken auswählen"));
    EXPECT_EQ(state.protocolFileName, before.protocolFileName);
    EXPECT_EQ(state.record, before.record);
    EXPECT_EQ(state.report, before.report);
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(MainWindowTest, ShortOrMissingFileIsRefusedAndChangesNothing) {
    state.protocolFileName = QStringLiteral("/alt/vorher.pro");
    state.record.Kunde1 = QStringLiteral("bleibt");
    state.report.protectionClass = 4;
    const ReportSession before = state;
    connectRecorders();

    const QString shortFile = writeFile(QStringLiteral("kurz.pro"), QByteArray(1147, 'x'));
    prompter.chooseFile(shortFile);
    window.DateiOeffnenClick();
    prompter.chooseFile(dir.filePath(QStringLiteral("fehlt.pro")));
    window.DruckenClick();

    const QStringList messages = prompter.messages();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Fehler|"))) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(QStringLiteral("kurz.pro")));
    EXPECT_TRUE(messages[1].startsWith(QStringLiteral("Fehler|")));
    EXPECT_TRUE(messages[1].contains(QStringLiteral("fehlt.pro")));
    EXPECT_EQ(state.protocolFileName, before.protocolFileName);
    EXPECT_EQ(state.record, before.record);
    EXPECT_EQ(state.report, before.report);
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(MainWindowTest, OpenReadsTheReportThenShowsWizardAndFullSaveWindow) {
    connectRecorders();
    state.report.newReport = 1;
    const QString path = savedReport();
    prompter.chooseFile(path);
    window.DateiOeffnenClick();

    EXPECT_EQ(state.protocolFileName, path);
    EXPECT_EQ(state.record.AuftragNr, QStringLiteral("A-17"));
    EXPECT_EQ(state.record.Kunde1, QStringLiteral("Müller GmbH"));
    EXPECT_EQ(state.record.Satz2, 1);
    EXPECT_EQ(state.report.protectionClass, 2);
    EXPECT_EQ(state.report.testKind, 2);
    EXPECT_EQ(state.report.oldNorm, 1);
    EXPECT_EQ(state.report.values[0], QStringLiteral("12.5"));
    EXPECT_EQ(state.report.diff, 1);
    EXPECT_EQ(shown, (QStringList{QStringLiteral("wizard newReport=0"),
                                  QStringLiteral("savePrint newReport=0 mode=1")}));
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(MainWindowTest, PrintReadsTheReportAndShowsOnlyThePrintWindow) {
    connectRecorders();
    state.report.newReport = 1;
    const QString path = savedReport();
    prompter.chooseFile(path);
    window.DruckenClick();

    EXPECT_EQ(state.protocolFileName, path);
    EXPECT_EQ(state.record.AuftragNr, QStringLiteral("A-17"));
    EXPECT_EQ(shown, QStringList{QStringLiteral("savePrint newReport=1 mode=0")});
}

TEST_F(MainWindowTest, PrinterSetupNeedsAPrinter) {
    printers.present = false;
    TForm1 withoutPrinter(state, testerState, prompter, printers, help, tables);
    withoutPrinter.DruckereinrichtungClick();
    EXPECT_EQ(prompter.messages(),
              QStringList{QStringLiteral("Fehler|Kein Drucker im System vorhanden!")});

    // Whether a printer exists is decided when the window is created.
    window.DruckereinrichtungClick();
    ASSERT_EQ(prompter.calls().size(), 2u);
    EXPECT_EQ(prompter.calls()[1].kind, ScriptedPrompter::Kind::PrinterSetup);
    EXPECT_EQ(prompter.messages().size(), 1);
}

// After a restore every open table of every window shows the restored rows,
// and the contractor's lines are those of the restored address book.
TEST_F(MainWindowTest, RestoreThroughTheMenuReopensTheWindowsTables) {
    auto* customers = new TableCursor(tables, QStringLiteral("kunden"), &window);
    ASSERT_TRUE(customers->open());
    ASSERT_TRUE(customers->insertRecord({0, QStringLiteral("Elektro Schulze")}));
    ASSERT_TRUE(customers->insertRecord({1, QStringLiteral("Meier")}));
    const QString backup = dir.filePath(QStringLiteral("sicherung.sqlite"));
    prompter.chooseFile(backup);
    window.findChild<QAction*>(QStringLiteral("Datensicherung"))->trigger();
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_TRUE(prompter.messages()[0].startsWith(
        QStringLiteral("Datensicherung|Gesichert: 0 Archiv-Datensätze, 2 Kunden\n\n")));

    ASSERT_TRUE(customers->first());
    ASSERT_TRUE(customers->edit());
    customers->setText(QStringLiteral("Auftraggeber"), QStringLiteral("Umbenannt"));
    ASSERT_TRUE(customers->post());
    ASSERT_TRUE(customers->insertRecord({2, QStringLiteral("Danach")}));
    state.report.contractorLine1 = QStringLiteral("Umbenannt");

    prompter.chooseFile(backup);
    prompter.answer(Prompter::Answer::Yes);
    window.findChild<QAction*>(QStringLiteral("Zurueckladen"))->trigger();
    ASSERT_EQ(prompter.messages().size(), 3);
    EXPECT_TRUE(prompter.messages()[2].startsWith(
        QStringLiteral("Datensicherung zurückladen|Zurückgeladen: 0 Archiv-Datensätze, 2 Kunden")));
    QStringList names;
    customers->first();
    while (!customers->eof() && names.size() < 5) {
        names << customers->text(QStringLiteral("Auftraggeber"));
        customers->next();
    }
    EXPECT_EQ(names, (QStringList{QStringLiteral("Elektro Schulze"), QStringLiteral("Meier")}));
    EXPECT_EQ(state.report.contractorLine1, QStringLiteral("Elektro Schulze"));
}
