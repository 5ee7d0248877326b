#include "ConsoleFixture.h"

#include "RunScript.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

namespace {

using namespace run_message;
using W = RunItem::Wait;

const QByteArray kOhm("\x20\xF4", 2);
const QByteArray kVerdictOk("Pr\xF5"
                            "fung i. O.   ");

class MeasurementRunTest : public ConsoleTest {
protected:
    // Connects, chooses the test kind and, where asked, the insulation test.
    void chooseTest(int version, std::uint8_t status, int testKind, bool withoutInsulation = false,
                    TesterConfig config = {}) {
        config.acceptedVersions = {version};
        config.statusByte = status;
        start(config);
        form->ButtonBeginnFernClick();
        testKind == 1 ? form->Button0701Click() : form->Button0702Click();
        if (live("nrisobtn"))
            withoutInsulation ? form->RisobtnClick() : form->nrisobtnClick();
    }
    void autoRun(const RunScript& script, int version = 10, std::uint8_t status = 0x10,
                 int testKind = 1) {
        TesterConfig config;
        config.autoRun = script;
        chooseTest(version, status, testKind, false, config);
        button("ButtonAutoMess")->click();
    }
    bool timerActive(const char* name) const { return form->findChild<QTimer*>(name)->isActive(); }
    QStringList marks() const {
        return {label("LabelFehlerKreuz")->text(), label("LabelPolKreuz")->text(),
                label("LabelNetzKreuz")->text()};
    }
};

TEST_F(MeasurementRunTest, HandRunFollowsTheTesterMessageByMessage) {
    chooseTest(10, 0x10, 1);
    const qsizetype before = sentCount();
    button("Button0701Mess")->click();
    EXPECT_EQ(sentSince(before), QByteArray("\x01"));
    EXPECT_EQ(label("LabelArt")->text(), QStringLiteral("0701-0702 Hand"));
    for (const char* key : {"ButtonWeiter1", "ButtonWeiter2", "ButtonWeiterA"})
        EXPECT_TRUE(live(key)) << key;
    for (const char* start : {"Button0701Mess", "Button0702Mess", "ButtonAutoMess"})
        EXPECT_TRUE(button(start)->isHidden()) << start;
    // One message per entry: the step, then the limit, then the reading.
    EXPECT_EQ(displayLines(),
              (QStringList{"Schutzleiterwiderstand", " ", "Skl 1    <        Ohm "}));
    EXPECT_TRUE(timerActive("TimerSenden"));
    form->TimerSendenTimer();
    EXPECT_EQ(displayLines()[2], QStringLiteral("Skl 1    < 0.300  Ohm "));
    form->TimerSendenTimer();
    EXPECT_EQ(displayLines()[1], QStringLiteral("       0.12  Ohm      "));
    EXPECT_EQ(marks(), (QStringList{" ", " ", " "}));

    // The tester waits for the key to go on to the insulation step.
    form->ButtonWeiter1Click();
    EXPECT_EQ(sentSince(before), QByteArray("\x01\x01"));
    EXPECT_EQ(displayLines(),
              (QStringList{"Isolationswiderstand  ", " ", "Skl 1    >        MOhm"}));
    form->TimerSendenTimer();
    form->TimerSendenTimer();
    EXPECT_EQ(displayLines()[1], QStringLiteral("       25.0 MOhm      "));
    form->ButtonWeiter2Click();
    form->TimerSendenTimer();
    form->TimerSendenTimer();
    form->ButtonWeiterAClick();
    EXPECT_EQ(sentSince(before), QByteArray("\x01\x01\x02\x04"));

    // The verdict.
    EXPECT_EQ(displayLines(), (QStringList{" R-SL     0.12 Ohm    ", " R-ISO    25.0MOhm    ",
                                           " I-EA     0.21mA      "}));
    EXPECT_EQ(label("LabelErgebnis")->text(), QStringLiteral("Prüfung i. O.   "));
    EXPECT_FALSE(label("LabelErgebnis")->isHidden());
    EXPECT_FALSE(label("Label6")->isHidden());
    EXPECT_TRUE(label("Label4")->isHidden());
    EXPECT_TRUE(label("LabelFehler")->isHidden());
    EXPECT_EQ(status(),
              QStringLiteral("   Weiter?    Dann eine Taste (0701, 0702 oder Auto) drücken"));
    EXPECT_EQ(state.report.values, (std::array<QString, 3>{"  0.12", "  25.0", "  0.21"}));
    EXPECT_EQ(state.report.notInOrder, 0);
    EXPECT_TRUE(form->run().resultsAvailable());
    EXPECT_TRUE(timerActive("TimerSenden"));

    // Nothing from the tester for a while: the verdict stays.
    for (int i = 0; i < 30; ++i)
        form->TimerSendenTimer();
    EXPECT_TRUE(form->portOpen());
    EXPECT_TRUE(notices.shown.empty());

    // A key at the tester acknowledges it and ends the remote control.
    tester->pressKey(0x04);
    form->TimerSendenTimer();
    EXPECT_FALSE(form->portOpen());
    EXPECT_EQ(sentSince(before), QByteArray("\x01\x01\x02\x04"
                                            "e"));
    EXPECT_TRUE(notices.shown.empty());
    EXPECT_TRUE(form->run().resultsAvailable());
    // The display is back to white and hidden.
    EXPECT_TRUE(label("LabelErgebnis")->isHidden());
    EXPECT_EQ(label("LabelZeile1")->palette().color(QPalette::Window), QColor(Qt::white));
}

TEST_F(MeasurementRunTest, WeiterByItsShortcutEndsAHandRunAsAClickDoes) {
    struct Case {
        int version;
        Qt::Key key; // with Alt: "070&1" below version 10, "&Auto" in 10
        char sent;
    };
    const Case cases[] = {{9, Qt::Key_1, '\x01'}, {10, Qt::Key_A, '\x04'}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        notices.shown.clear();
        TesterConfig config;
        config.handRun = {{step(3), 100, W::None},
                          {reading(" 0.21", "mA"), 100, W::KeyInHand},
                          {result({{"R-SL  ", "  0.12", kOhm},
                                   {"R-ISO ", "  25.0", "M\xF4"},
                                   {"I-EA  ", "  0.21", "mA"}},
                                  kVerdictOk),
                           100, W::Key}};
        chooseTest(c.version, 0x10, 1, false, config);
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        // Like the real clock, waits on the line let timers tick.
        clock.setObserver([](std::int64_t) { QCoreApplication::processEvents(); });
        button("Button0701Mess")->click();
        form->TimerSendenTimer();
        ASSERT_EQ(displayLines()[1], QStringLiteral("       0.21 mA        "));

        // The last Weiter while the reading is shown; the run's timer ticks a little later.
        const qsizetype before = sentCount();
        QTest::keyClick(form.get(), c.key, Qt::AltModifier);
        QTest::qSleep(150);
        form->TimerSendenTimer();
        EXPECT_EQ(label("LabelErgebnis")->text(), QStringLiteral("Prüfung i. O.   "));
        EXPECT_TRUE(notices.shown.empty());
        EXPECT_TRUE(form->portOpen());

        // The next one acknowledges the verdict: the results are handed on.
        QTest::keyClick(form.get(), c.key, Qt::AltModifier);
        QTest::qSleep(150);
        QCoreApplication::processEvents();
        clock.setObserver(nullptr);
        EXPECT_EQ(sentSince(before), QByteArray(2, c.sent) + "e");
        EXPECT_TRUE(notices.shown.empty());
        EXPECT_FALSE(form->portOpen());
        EXPECT_TRUE(form->run().resultsAvailable());
    }
}

TEST_F(MeasurementRunTest, AutoRunGoesOnToTheVerdictAndAPcKeyEndsIt) {
    autoRun(defaultRunScript());
    EXPECT_EQ(label("LabelArt")->text(), QStringLiteral("0701-0702 Auto"));
    EXPECT_EQ(label("LabelErgebnis")->text(), QStringLiteral("Prüfung i. O.   "));
    EXPECT_EQ(state.report.values, (std::array<QString, 3>{"  0.12", "  25.0", "  0.21"}));
    const qsizetype before = sentCount();
    form->ButtonWeiter2Click();
    EXPECT_EQ(sentSince(before), QByteArray("\x02"
                                            "e"));
    EXPECT_FALSE(form->portOpen());
    EXPECT_TRUE(form->run().resultsAvailable());
}

TEST_F(MeasurementRunTest, TesterStartsTheRunWithoutAnEcho) {
    chooseTest(10, 0x10, 2, true);
    const qsizetype before = sentCount();
    tester->pressKey(0x02);
    form->TimermessenTimer();
    EXPECT_EQ(label("LabelArt")->text(), QStringLiteral("0701-0702 Hand"));
    EXPECT_EQ(sentSince(before), QByteArray());
    EXPECT_TRUE(form->run().started());
    EXPECT_EQ(displayLines()[0], QStringLiteral("Schutzleiterwiderstand"));
}

TEST_F(MeasurementRunTest, ClassTwoWithoutInsulationTestSendsOneValue) {
    TesterConfig config;
    config.autoRun = {{step(8), 100, W::None},
                      {result({{"I-BER ", "  0.21", "mA"}}, "Pr\xF5"
                                                            "fung nicht OK"),
                       100, W::Key}};
    chooseTest(10, 0x11, 2, true, config);
    button("ButtonAutoMess")->click();
    EXPECT_EQ(state.report.niso, 1);
    EXPECT_EQ(displayLines(),
              (QStringList{" I-BER    0.21mA      ", QString(22, ' '), QString(22, ' ')}));
    EXPECT_EQ(state.report.values, (std::array<QString, 3>{"  0.21", "      ", "      "}));
    EXPECT_EQ(state.report.notInOrder, 1);
    EXPECT_EQ(label("LabelErgebnis")->text(), QStringLiteral("Prüfung nicht OK"));
}

TEST_F(MeasurementRunTest, StepsShowNamesUnitsAndMarks) {
    TesterConfig config;
    config.handRun = {{step(9), 100, W::None},
                      {limit("  0.500"), 100, W::None},
                      {mainsNotice(), 100, W::Key},
                      {stop(), 100, W::Key}};
    chooseTest(10, 0x11, 2, false, config);
    button("Button0702Mess")->click();
    // Class 2 has no protective conductor: its current steps measure the touch current.
    EXPECT_EQ(displayLines(),
              (QStringList{"Berührungsstrom       ", " ", "Skl 2    <        mA  "}));
    EXPECT_EQ(marks(), (QStringList{" ", "X", "X"}));
    form->TimerSendenTimer();
    EXPECT_EQ(displayLines()[2], QStringLiteral("Skl 2    <  0.500 mA  "));
    form->TimerSendenTimer();
    EXPECT_EQ(displayLines(), (QStringList{"     Achtung !!       ", "   Netzspannung !!    ",
                                           "  Weiter: Taste Auto  "}));
    // The run ends without results.
    const qsizetype before = sentCount();
    form->ButtonWeiterAClick();
    EXPECT_EQ(sentSince(before), QByteArray("\x04"
                                            "e"));
    EXPECT_FALSE(form->portOpen());
    EXPECT_FALSE(form->run().resultsAvailable());
    EXPECT_EQ(tester->model().mode(), TesterModel::Mode::Local);
}

TEST_F(MeasurementRunTest, NoticesWaitForTheKeyWithoutATimeLimit) {
    autoRun({{step(1), 100, W::None},
             {reversalNotice(), 100, W::Key},
             {step(5), 100, W::None},
             {result({{"R-SL  ", "  0.12", kOhm},
                      {"R-ISO ", "  25.0", "M\xF4"},
                      {"I-EA  ", "  0.21", "mA"}},
                     kVerdictOk),
              100, W::Key}});
    EXPECT_EQ(displayLines(),
              (QStringList{"     Umpolung         ", "   Bitte warten !!!   ", QString(22, ' ')}));
    EXPECT_TRUE(timerActive("TimerSenden"));
    for (int i = 0; i < 40; ++i)
        form->TimerSendenTimer();
    EXPECT_TRUE(notices.shown.empty());
    EXPECT_TRUE(form->portOpen());
    form->ButtonWeiterAClick();
    EXPECT_EQ(marks(), (QStringList{" ", " ", " "}));
    EXPECT_EQ(label("LabelErgebnis")->text(), QStringLiteral("Prüfung i. O.   "));
}

TEST_F(MeasurementRunTest, FaultSearchStopsAnAutoRunUntilAKey) {
    autoRun({{step(0), 100, W::None},
             {faultSearch('3'), 100, W::Key},
             {faultSearch('!'), 100, W::None},
             {result({{"R-SL  ", "  0.12", kOhm},
                      {"R-ISO ", "  25.0", "M\xF4"},
                      {"I-EA  ", "  0.21", "mA"}},
                     kVerdictOk),
              100, W::Key}});
    EXPECT_EQ(status(), QStringLiteral("  Fehlersuche erfolglos?     Dann zum Beenden eine der 3 "
                                       "Tasten drücken  "));
    EXPECT_EQ(marks()[0], QStringLiteral("X"));
    EXPECT_EQ(displayLines()[1], QStringLiteral("3").leftJustified(22));
    EXPECT_TRUE(timerActive("TimerSenden"));
    form->ButtonWeiter1Click();
    EXPECT_EQ(marks()[0], QStringLiteral(" "));
    EXPECT_EQ(label("LabelErgebnis")->text(), QStringLiteral("Prüfung i. O.   "));
}

TEST_F(MeasurementRunTest, BrokenOrSilentTesterEndsWithANotice) {
    struct Case {
        const char* what;
        RunScript script;
        Notice notice;
    };
    QByteArray meaningless(300, 'X');
    const Case cases[] = {
        {"silent", {{step(0), 100, W::Key}}, Notice::NoReaction},
        {"limit cut short",
         {{step(0), 100, W::None}, {"g 0.3", 100, W::Key}},
         Notice::TransferError},
        {"result cut short",
         {{result({{"R-SL  ", "  0.12", kOhm}}, kVerdictOk), 100, W::Key}},
         Notice::TransferError},
        {"meaningless bytes", {{meaningless, 100, W::Key}}, Notice::TransferError},
        {"abort", {{step(0), 100, W::None}, {abortRemote(), 100, W::Key}}, Notice::EndedByTester},
        {"step abort", {{step(0xFF), 100, W::Key}}, Notice::EndedByTester},
        {"fault-search abort", {{faultSearch('\xFF'), 100, W::Key}}, Notice::EndedByTester},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        notices.shown.clear();
        state.report.values = {"1", "2", "3"};
        autoRun(c.script);
        EXPECT_EQ(notices.shown, std::vector<Notice>{c.notice});
        EXPECT_FALSE(form->portOpen());
        EXPECT_FALSE(form->run().resultsAvailable());
        // What the tester did send is not taken as values.
        EXPECT_EQ(state.report.values, (std::array<QString, 3>{"1", "2", "3"}));
        for (const char* timer : {"Timer1", "Timer2", "Timermessen", "TimerSenden"})
            EXPECT_FALSE(timerActive(timer)) << timer;
        EXPECT_TRUE(tester->device().sentBytes().endsWith('e'));
    }
}

TEST_F(MeasurementRunTest, EndFromTheTesterKeepsOnlyThisRunsResults) {
    autoRun({{step(0), 100, W::None}, {endWithResults(), 100, W::Key}});
    EXPECT_FALSE(form->portOpen());
    EXPECT_TRUE(notices.shown.empty());
    EXPECT_FALSE(form->run().resultsAvailable());

    autoRun({{result({{"R-SL  ", "  0.12", kOhm},
                      {"R-ISO ", "  25.0", "M\xF4"},
                      {"I-EA  ", "  0.21", "mA"}},
                     kVerdictOk),
              100, W::None},
             {endWithResults(), 100, W::Key}});
    form->TimerSendenTimer();
    EXPECT_FALSE(form->portOpen());
    EXPECT_TRUE(form->run().resultsAvailable());
}

TEST_F(MeasurementRunTest, StartKeyNotTakenEndsTheRemoteControl) {
    chooseTest(10, 0x10, 1);
    tester->device().setCtsOnFrom(TestSerialDevice::kNever);
    button("Button0701Mess")->click();
    EXPECT_EQ(notices.shown, std::vector<Notice>{Notice::NoReaction});
    EXPECT_FALSE(form->portOpen());
}

} // namespace
