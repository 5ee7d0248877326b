#include "Printers.h"
#include "SampleReport.h"
#include "ScriptedAnswer.h"
#include "ScriptedDialog.h"
#include "TableFixture.h"
#include "report/ProtocolFile.h"
#include "report/ReportSession.h"
#include "report/TForm9.h"
#include "report/TFormDatum.h"
#include "report/Vocabulary.h"
#include "report/WizardFields.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

namespace {

// Runs `act` once `dialog` is the modal window on top: the wizard shows the
// template question before it appears itself.
void whenOnTop(QDialog& dialog, const std::function<void()>& act) {
    QTimer::singleShot(0, &dialog, [&dialog, act] {
        if (dialog.isVisible() && QApplication::activeModalWidget() == &dialog)
            act();
        else
            whenOnTop(dialog, act);
    });
}

class ReportWizardTest : public TableFixture {
protected:
    ReportWizardTest() {
        state.record = sampleReport();
        state.report = sampleState();
        state.report.contractorLine1 = QStringLiteral("Elektro Vorgabe");
        state.report.contractorLine2 = QStringLiteral("Vorgabeweg 1");
        state.report.contractorLine3 = QStringLiteral("11111 Vorgabedorf");
        wizard.setDialogs(&templateQuestion, lookup.ask());
    }

    // Shows the wizard; `act` works on it while it is open. Closes it with the
    // last "&Weiter" unless `act` did.
    void run(const std::function<void()>& act) {
        whenOnTop(wizard, [&] {
            act();
            if (wizard.isVisible()) {
                click("ButtonWeiter");
                click("ButtonWeiter2");
                click("ButtonWeiter3");
            }
            if (wizard.isVisible())
                wizard.close();
        });
        wizard.exec();
    }

    QLineEdit& edit(const char* name) { return *wizard.findChild<QLineEdit*>(QLatin1String(name)); }
    QCheckBox& box(int number) {
        return *wizard.findChild<QCheckBox*>(QStringLiteral("CheckBox%1").arg(number));
    }
    QString label(const char* name) {
        return wizard.findChild<QLabel*>(QLatin1String(name))->text();
    }
    void click(const char* name) { wizard.findChild<QPushButton*>(QLatin1String(name))->click(); }

    // Opens a saved report as File/Open does and leaves the wizard without an
    // edit; returns what saving it then writes.
    QByteArray openAndSaveUnchanged(const QByteArray& image) {
        state = ReportSession{};
        protocol_file::readForOpen(image, state.record, state.report);
        state.report.newReport = 0;
        run([] {});
        return protocol_file::buildProtocolImage(state.record);
    }

    // The text of every edit, in the order of the field table.
    QStringList editTexts() {
        QStringList texts;
        for (const auto& field : wizard_fields::kTextFields)
            texts << edit(field.control).text();
        return texts;
    }

    ReportSession state;
    ScriptedDialog templateQuestion;
    ScriptedAnswer<std::optional<CustomerChoice>> lookup;
    TForm9 wizard{state, prompter, store};
};

// A report as this program saves it: names and units follow the test.
QByteArray savedImage(Protokoll record, const ReportState& test) {
    vocabulary::fillDerivedMembers(record, test);
    return protocol_file::buildProtocolImage(record);
}

// Where two images first differ; -1 where they do not.
int firstDifference(const QByteArray& a, const QByteArray& b) {
    for (int at = 0; at < std::max(a.size(), b.size()); ++at)
        if (at >= a.size() || at >= b.size() || a.at(at) != b.at(at))
            return at;
    return -1;
}

// Every edited text as long as its field in the file allows.
Protokoll longTexts() {
    const std::pair<QString Protokoll::*, int> fileWidths[] = {
        {&Protokoll::AuftragNr, 25},
        {&Protokoll::Kunde1, 40},
        {&Protokoll::Kunde2, 40},
        {&Protokoll::Kunde3, 40},
        {&Protokoll::Nehmer1, 35},
        {&Protokoll::Nehmer2, 35},
        {&Protokoll::Nehmer3, 35},
        {&Protokoll::Geraeteart, 35},
        {&Protokoll::Hersteller, 25},
        {&Protokoll::Typenbezeichnung, 25},
        {&Protokoll::Nennstrom, 10},
        {&Protokoll::Seriennummer, 25},
        {&Protokoll::Nennspannung, 10},
        {&Protokoll::Nennleistung, 10},
        {&Protokoll::FehlerZeile1, 65},
        {&Protokoll::FehlerZeile2, 80},
        {&Protokoll::FehlerZeile3, 80},
        {&Protokoll::RepArbeitenZeile1, 60},
        {&Protokoll::RepArbeitenZeile2, 80},
        {&Protokoll::RepArbeitenZeile3, 80},
        {&Protokoll::Termin, 25},
        {&Protokoll::Ort, 40},
        {&Protokoll::Datum, 15},
    };
    Protokoll record;
    int n = 0;
    for (const auto& [member, width] : fileWidths)
        record.*member = QStringLiteral("%1 Straße").arg(++n).leftJustified(width - 1, u'x');
    return record;
}

} // namespace

TEST_F(ReportWizardTest, TypingStopsAtTheLimitButAGivenTextStaysWhole) {
    state.report.newReport = 1;
    QStringList typed;
    run([&] {
        QTest::keyClicks(&edit("Auftrag"), QString(22, u'a'));
        click("ButtonWeiter");
        QTest::keyClicks(&edit("Fehler1"), QString(60, u'b'));
        click("ButtonWeiter2");
        QTest::keyClicks(&edit("Ort"), QString(34, u'c'));
        typed = {edit("Auftrag").text(), edit("Fehler1").text(), edit("Ort").text()};
    });
    EXPECT_EQ(typed, (QStringList{QString(19, u'a'), QString(57, u'b'), QString(31, u'c')}));

    // A longer text from the record may be edited within its own length.
    state.report.newReport = 0;
    state.record.AuftragNr = QStringLiteral("2026-0815-Nachprüfung-B");
    QStringList edited;
    run([&] {
        QLineEdit& order = edit("Auftrag");
        edited << order.text();
        order.end(false);
        QTest::keyClicks(&order, QStringLiteral("7"));
        edited << order.text();
        QTest::keyClick(&order, Qt::Key_Backspace);
        QTest::keyClicks(&order, QStringLiteral("C7"));
        edited << order.text();
        order.selectAll();
        QTest::keyClicks(&order, QString(25, u'd'));
        edited << order.text();
    });
    EXPECT_EQ(edited, (QStringList{"2026-0815-Nachprüfung-B", "2026-0815-Nachprüfung-B",
                                   "2026-0815-Nachprüfung-C", QString(23, u'd')}));
}

TEST_F(ReportWizardTest, AReportOpenedAndSavedUnchangedKeepsItsBytes) {
    struct Case {
        const char* what;
        Protokoll record;
        int notInOrder, diff, niso;
    };
    Protokoll empty;
    Protokoll inOrder = longTexts();
    inOrder.Besichtigung2 = 1;
    inOrder.Satz1 = 1;
    inOrder.Satz4 = 1;
    const Case cases[] = {
        {"long texts, in order", inOrder, 0, 1, 0},
        {"long texts, not in order", longTexts(), 1, 0, 1},
        {"no texts, not in order", empty, 1, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ReportState test = sampleState();
        test.values = {QStringLiteral("  0.12"), QStringLiteral("  25.0"),
                       QStringLiteral("  0.21")};
        test.notInOrder = c.notInOrder;
        test.diff = c.diff;
        test.niso = c.niso;
        const QByteArray image = savedImage(c.record, test);
        ASSERT_EQ(image.at(1146), c.notInOrder ? 0 : 1);
        EXPECT_EQ(firstDifference(openAndSaveUnchanged(image), image), -1);
    }
}

TEST_F(ReportWizardTest, ShortValuesAreSavedPaddedToSixCharacters) {
    Protokoll record;
    record.Wert1 = QStringLiteral("F");
    record.Wert3 = QStringLiteral("1.2");
    ReportState test = sampleState();
    test.values = {record.Wert1, record.Wert2, record.Wert3};
    const QByteArray saved = openAndSaveUnchanged(savedImage(record, test));
    const QByteArray zeros(9, '\0');
    EXPECT_EQ(saved.mid(1000, 15), "F     " + zeros);
    EXPECT_EQ(saved.mid(1015, 15), "      " + zeros);
    EXPECT_EQ(saved.mid(1030, 15), "1.2   " + zeros);
    // The failed measurement makes the device not in order.
    EXPECT_EQ(saved.at(1146), 0);
    EXPECT_EQ(label("LabelWert1"), QStringLiteral("F     "));
}

TEST_F(ReportWizardTest, ANewReportStartsEmptyButForTheContractorAndAsksNothing) {
    state.report.newReport = 1;
    QStringList shown;
    QString title;
    run([&] {
        title = wizard.windowTitle();
        shown = editTexts();
        edit("Auftrag").setText(QStringLiteral("A-17"));
        click("ButtonWeiter");
        click("ButtonWeiter2");
        box(4).setChecked(true);
        click("ButtonWeiter3");
    });
    EXPECT_EQ(templateQuestion.shown, 1);
    EXPECT_EQ(title, QStringLiteral("Protokoll erstellen"));
    QStringList expected(wizard_fields::kTextFields.size());
    expected[4] = QStringLiteral("Elektro Vorgabe");
    expected[5] = QStringLiteral("Vorgabeweg 1");
    expected[6] = QStringLiteral("11111 Vorgabedorf");
    EXPECT_EQ(shown, expected);
    EXPECT_TRUE(prompter.calls().empty()) << prompter.messages().join('\n').toStdString();

    Protokoll written;
    written.AuftragNr = QStringLiteral("A-17");
    written.Nehmer1 = QStringLiteral("Elektro Vorgabe");
    written.Nehmer2 = QStringLiteral("Vorgabeweg 1");
    written.Nehmer3 = QStringLiteral("11111 Vorgabedorf");
    written.Schutzklasse = QStringLiteral("1");
    written.Pruefung = QStringLiteral("DIN VDE 0701-0702(1)");
    written.Messung1 = QStringLiteral("Schutzleiterwiderstand");
    written.Messung2 = QStringLiteral("Isolationswiderstand");
    written.Messung3 = QStringLiteral("Ersatzableitstrom");
    written.Einheit1 = QStringLiteral("W");
    written.Einheit2 = QStringLiteral("MW");
    written.Einheit3 = QStringLiteral("mA");
    written.Wert1 = QStringLiteral(" 0.1 2");
    // A short value is filled up with blanks to six characters.
    written.Wert2 = QStringLiteral(">20.0 ");
    written.Wert3 = QStringLiteral("  0.25");
    written.Satz1 = 1;
    written.Ordnung = QStringLiteral("j");
    // The archive-only members are the wizard's business no more than the file's.
    const Protokoll before = sampleReport();
    written.Alles = before.Alles;
    written.Dateiname = before.Dateiname;
    written.Gefunden = before.Gefunden;
    written.Kundennummer = before.Kundennummer;
    EXPECT_EQ(state.record, written);
}

TEST_F(ReportWizardTest, EditingFillsFromTheRecordAndKeepsNonEmptyContractorDefaults) {
    state.report.newReport = 0;
    state.report.contractorLine2.clear();
    QStringList shown;
    QString title;
    std::array<bool, 7> checked{};
    run([&] {
        title = wizard.windowTitle();
        shown = editTexts();
        for (int i = 0; i < 7; ++i)
            checked[i] = box(i + 1).isChecked();
    });
    EXPECT_EQ(templateQuestion.shown, 0);
    EXPECT_EQ(title, QStringLiteral("Protokoll bearbeiten"));
    QStringList expected;
    const Protokoll record = sampleReport();
    for (const auto& field : wizard_fields::kTextFields)
        expected << record.*field.member;
    expected[4] = QStringLiteral("Elektro Vorgabe");
    expected[6] = QStringLiteral("11111 Vorgabedorf");
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(checked, (std::array<bool, 7>{true, true, true, true, true, true, true}));
    EXPECT_EQ(state.record.Nehmer2, QStringLiteral("Industrieweg 4"));
    EXPECT_EQ(state.record.FehlerZeile3, record.FehlerZeile3);
}

TEST_F(ReportWizardTest, TickingMaengelfreiWhenEditingIsQuestioned) {
    struct Case {
        qint32 satz1Before;
        std::vector<Prompter::Answer> answers;
        int questions;
        bool stillOpenAfterFirstFinish;
    };
    const Case cases[] = {
        {0, {Prompter::Answer::No, Prompter::Answer::Yes}, 2, true},
        {0, {Prompter::Answer::Yes}, 1, false},
        {1, {}, 0, false},
    };
    for (const Case& c : cases) {
        ScriptedPrompter asked;
        TForm9 editor(state, asked, store);
        state.record = sampleReport();
        state.record.Satz1 = c.satz1Before;
        state.report.newReport = 0;
        for (const auto answer : c.answers)
            asked.answer(answer);
        bool stillOpen = false;
        bool onPage3 = false;
        whenOnTop(editor, [&] {
            auto clickIn = [&](const char* name) {
                editor.findChild<QPushButton*>(QLatin1String(name))->click();
            };
            clickIn("ButtonWeiter");
            clickIn("ButtonWeiter2");
            editor.findChild<QCheckBox*>(QStringLiteral("CheckBox4"))->setChecked(true);
            clickIn("ButtonWeiter3");
            stillOpen = editor.isVisible();
            onPage3 = editor.findChild<QPushButton*>(QStringLiteral("ButtonWeiter3"))->isVisible();
            if (stillOpen)
                clickIn("ButtonWeiter3");
        });
        editor.exec();
        EXPECT_EQ(asked.messages().size(), c.questions) << c.satz1Before;
        if (c.questions > 0) {
            EXPECT_EQ(asked.messages()[0],
                      QStringLiteral("Sicherheitsabfrage|Wollen Sie die Zeile 'Funktions- und "
                                     "Sicherheitsprüfung mängelfrei' wirklich ankreuzen ?"));
        }
        EXPECT_EQ(stillOpen, c.stillOpenAfterFirstFinish);
        EXPECT_EQ(onPage3, c.stillOpenAfterFirstFinish);
        EXPECT_FALSE(editor.isVisible());
        EXPECT_EQ(state.record.Satz1, 1);
        EXPECT_EQ(state.record.Ordnung, QStringLiteral("j"));
    }
}

TEST_F(ReportWizardTest, AFailedMeasurementUnticksAndLocksMaengelfrei) {
    for (int failed = 0; failed < 3; ++failed) {
        state.record = sampleReport();
        state.report = sampleState();
        state.report.newReport = 0;
        state.report.values[failed] = QStringLiteral("F 0.9");
        bool checked = true;
        bool enabled = true;
        bool visible = false;
        run([&] {
            click("ButtonWeiter");
            click("ButtonWeiter2");
            checked = box(4).isChecked();
            enabled = box(4).isEnabled();
            visible = box(4).isVisible();
        });
        EXPECT_FALSE(checked) << failed;
        EXPECT_FALSE(enabled) << failed;
        EXPECT_TRUE(visible) << failed;
        EXPECT_EQ(state.report.notInOrder, 1);
        EXPECT_EQ(state.record.Satz1, 0);
        EXPECT_EQ(state.record.Ordnung, QStringLiteral("n"));
    }
}

TEST_F(ReportWizardTest, MeasuredValuesLoseControlAndNonAsciiCharacters) {
    state.report.newReport = 1;
    state.report.values = {QStringLiteral("0.1\x01"
                                          "2"),
                           QStringLiteral("\u00e9>20.0"), QStringLiteral("0.25\u00fc\u00fc\u00fc")};
    QStringList shown;
    run([&] { shown = {label("LabelWert1"), label("LabelWert2"), label("LabelWert3")}; });
    const QStringList cleaned{"0.1 2 ", " >20.0", "0.25  \u00fc"};
    EXPECT_EQ(shown, cleaned);
    EXPECT_EQ((QStringList{state.record.Wert1, state.record.Wert2, state.record.Wert3}), cleaned);
}

TEST_F(ReportWizardTest, ClassTestKindAndMethodDecideTheLabels) {
    state.report.newReport = 1;
    state.report.protectionClass = 4;
    state.report.testKind = 2;
    state.report.oldNorm = 1;
    state.report.niso = 0;
    QStringList shown;
    run([&] {
        shown = QStringList{label("LabelKlasse"),   label("LabelPruefung"), label("LabelMess1"),
                            label("LabelEinheit1"), label("LabelMess2"),    label("LabelEinheit2")};
        click("ButtonWeiter");
        click("ButtonWeiter2");
        shown << label("Label17");
    });
    EXPECT_EQ(shown, (QStringList{"Schutzklasse 1e", "Prüfung nach DIN VDE 0702",
                                  "Isolationswiderstand", "MΩ", "Schutzleiterwiderstand", "Ω",
                                  "Verwendetes Prüfgerät: Zuzoradizizu RU 0701-0702 Veltrax"}));
    EXPECT_EQ(state.record.Schutzklasse, QStringLiteral("1e"));
    EXPECT_EQ(state.record.Pruefung, QStringLiteral("DIN VDE 0702"));
    EXPECT_EQ(state.record.Einheit1, QStringLiteral("MW"));
}

TEST_F(ReportWizardTest, ATemplateFillsTheEdits) {
    state.report.newReport = 1;
    state.record = Protokoll{};
    templateQuestion.action = [&] {
        state.record.AuftragNr = QStringLiteral("Vorlage-1");
        state.record.Kunde1 = QStringLiteral("Stammkunde");
        state.report.templateUsed = 1;
    };
    QString title;
    QString order;
    run([&] {
        title = wizard.windowTitle();
        order = edit("Auftrag").text();
        edit("Kunde2").setText(QStringLiteral("Neue Straße"));
    });
    EXPECT_EQ(title, QStringLiteral("Protokoll bearbeiten"));
    EXPECT_EQ(order, QStringLiteral("Vorlage-1"));
    EXPECT_EQ(state.record.Kunde1, QStringLiteral("Stammkunde"));
    EXPECT_EQ(state.record.Kunde2, QStringLiteral("Neue Straße"));
}

TEST_F(ReportWizardTest, LookupsFillTheCustomerAndContractorLines) {
    addCustomers({{0, QStringLiteral("Elektro Schulze")}});
    {
        TableCursor kunden(store, QStringLiteral("kunden"));
        kunden.open();
        kunden.first();
        kunden.edit();
        kunden.setText(QStringLiteral("AuftraggeberStrasse"), QStringLiteral("Industrieweg 4"));
        kunden.setText(QStringLiteral("AuftraggeberOrt"), QStringLiteral("54321 Beispielheim"));
        ASSERT_TRUE(kunden.post());
    }
    lookup.answer = CustomerChoice{QStringLiteral("Müller"), 7, QStringLiteral("12345 Musterstadt"),
                                   QStringLiteral("Hauptstraße 12")};
    state.report.newReport = 1;
    QStringList customer;
    QStringList contractor;
    run([&] {
        QTest::mouseDClick(&edit("Kunde2"), Qt::LeftButton);
        QTest::keyClick(&edit("Nehmer3"), Qt::Key_L, Qt::ControlModifier);
        customer = {edit("Kunde1").text(), edit("Kunde2").text(), edit("Kunde3").text()};
        contractor = {edit("Nehmer1").text(), edit("Nehmer2").text(), edit("Nehmer3").text()};
        // A lookup left with "&Abbruch" changes nothing.
        lookup.answer = std::nullopt;
        QTest::keyClick(&edit("Kunde1"), Qt::Key_L, Qt::ControlModifier);
    });
    EXPECT_EQ(lookup.shown, 2);
    EXPECT_EQ(customer, (QStringList{"Müller", "12345 Musterstadt", "Hauptstraße 12"}));
    EXPECT_EQ(contractor, (QStringList{"Elektro Schulze", "54321 Beispielheim", "Industrieweg 4"}));
    EXPECT_EQ(state.record.Kunde1, QStringLiteral("Müller"));
}

TEST_F(ReportWizardTest, ContractorLookupNeedsRowZeroFirst) {
    addCustomers({{5, QStringLiteral("Kunde Fünf")}});
    state.report.newReport = 1;
    QString line;
    run([&] {
        QTest::mouseDClick(&edit("Nehmer1"), Qt::LeftButton);
        line = edit("Nehmer1").text();
    });
    EXPECT_EQ(line, QStringLiteral("Elektro Vorgabe"));
}

TEST_F(ReportWizardTest, PagesTabOrderEscapeAndTheResetAfterClosing) {
    state.report.newReport = 1;
    QStringList order;
    bool page1Hidden = false;
    bool page2Shown = false;
    bool openAfterEscape = false;
    run([&] {
        QWidget* widget = &edit("Auftrag");
        for (int i = 0; i < 15; ++i) {
            order << widget->objectName();
            do
                widget = widget->nextInFocusChain();
            while (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisible());
        }
        QTest::keyClick(&wizard, Qt::Key_Escape);
        openAfterEscape = wizard.isVisible();
        click("ButtonWeiter");
        page1Hidden = !edit("Auftrag").isVisible() && !edit("Auftrag").isEnabled();
        page2Shown = edit("Fehler1").isVisible() && box(1).isVisible() &&
                     !wizard.findChild<QLabel*>(QStringLiteral("Label20"))->isVisible();
        box(2).setChecked(true);
        wizard.close();
    });
    EXPECT_EQ(order, (QStringList{"Auftrag", "Kunde1", "Kunde2", "Kunde3", "Nehmer1", "Nehmer2",
                                  "Nehmer3", "Art", "Hersteller", "Typ", "Nummer", "Volt", "Watt",
                                  "Ampere", "ButtonWeiter"}));
    EXPECT_TRUE(openAfterEscape);
    EXPECT_TRUE(page1Hidden);
    EXPECT_TRUE(page2Shown);
    EXPECT_EQ(state.record.Besichtigung2, 1);
    EXPECT_FALSE(box(2).isChecked());
    EXPECT_TRUE(edit("Auftrag").isVisibleTo(&wizard));
    EXPECT_FALSE(edit("Fehler1").isVisibleTo(&wizard));
}

TEST_F(ReportWizardTest, WizardAndDateDialogHaveNeitherSystemMenuNorCloseButton) {
    TFormDatum dateDialog(prompter);
    for (QDialog* window : std::initializer_list<QDialog*>{&wizard, &dateDialog}) {
        SCOPED_TRACE(window->objectName().toStdString());
        window->show();
        // What the window system is told, not only what the widget holds.
        for (const Qt::WindowFlags flags :
             {window->windowFlags(), window->windowHandle()->flags()}) {
            EXPECT_FALSE(flags & Qt::WindowSystemMenuHint);
            EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
            EXPECT_EQ(flags & Qt::WindowMinMaxButtonsHint, Qt::WindowMinMaxButtonsHint);
            EXPECT_TRUE(flags & Qt::WindowTitleHint);
        }
        window->hide();
    }
}
