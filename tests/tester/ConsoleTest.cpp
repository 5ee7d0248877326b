#include "ConsoleFixture.h"

#include <QFontMetrics>
#include <QSignalSpy>
#include <QTimer>

namespace {

TEST_F(ConsoleTest, PanelClicksMoveTheTestersCursorAlike) {
    struct Case {
        int version;
        int from, to;
        QByteArray keys;
    };
    const Case cases[] = {
        {9, 1, 4, "\x01"},     // Zurück from Licht: back round the end
        {9, 4, 2, "\x02\x02"}, // Schutzklasse from Zurück: two forward
        {6, 3, 1, "\x02\x02"}, {6, 2, 2, ""},
        {5, 1, 3, "\x01"}, // three items: Zurück from Licht
        {5, 3, 2, "\x01"},     {5, 2, 1, "\x01"},
        {5, 3, 1, "\x02"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.version << ": " << c.from << " -> " << c.to);
        connectTo(c.version);
        form->ButtonAutoClick();
        form->PanelClick(c.from);
        ASSERT_EQ(tester->model().menuCursor(), c.from);
        const qsizetype before = sentCount();
        form->PanelClick(c.to);
        EXPECT_EQ(sentSince(before), c.keys);
        EXPECT_EQ(form->menu().cursor(), c.to);
        EXPECT_EQ(tester->model().menuCursor(), c.to);
    }
}

TEST_F(ConsoleTest, SettingsMenuOpensAndLeaves) {
    connectTo(10, 0x14); // class 1, light on
    const qsizetype before = sentCount();
    form->ButtonAutoClick();
    EXPECT_EQ(sentSince(before), QByteArray("\x04"));
    EXPECT_EQ(status(), QStringLiteral("Auswahl Schutzklasse und Licht an/aus"));
    EXPECT_EQ(label("PanelLicht")->text(), QStringLiteral("Licht aus"));
    EXPECT_EQ(label("PanelSchutz")->text(), QStringLiteral("Schutzklasse 1"));
    for (const char* panel : {"PanelLicht", "PanelSchutz", "PanelZurueck"})
        EXPECT_FALSE(label(panel)->isHidden()) << panel;
    EXPECT_TRUE(label("PanelSprache")->isHidden());
    for (const char* key : {"BitBtn1", "BitBtn2", "BitBtn3"})
        EXPECT_TRUE(live(key)) << key;
    for (const char* key : {"Button0701", "Button0702", "ButtonAuto", "ButtonKomp"})
        EXPECT_TRUE(button(key)->isHidden()) << key;
    EXPECT_TRUE(form->findChild<QTimer*>("Timer2")->isActive());
    EXPECT_FALSE(form->findChild<QTimer*>("Timer1")->isActive());

    form->BitBtn1Click(); // Zurück
    form->BitBtn3Click();
    EXPECT_EQ(sentSince(before), QByteArray("\x04\x01\x04"));
    EXPECT_FALSE(form->menu().active());
    EXPECT_EQ(tester->model().mode(), TesterModel::Mode::Idle);
    EXPECT_EQ(status(), QStringLiteral("eingestellte Schutzklasse: 1"));
    EXPECT_TRUE(label("PanelLicht")->isHidden());
    for (const char* key : {"Button0701", "Button0702", "ButtonAuto", "ButtonKomp"})
        EXPECT_TRUE(live(key)) << key;
    EXPECT_TRUE(button("BitBtn3")->isHidden());
    EXPECT_TRUE(form->findChild<QTimer*>("Timer1")->isActive());
    EXPECT_FALSE(form->findChild<QTimer*>("Timer2")->isActive());
}

TEST_F(ConsoleTest, SelectingLightAndClassByVersion) {
    struct Case {
        int version;
        std::uint8_t status;
        QStringList lightCaptions; // after each of two selections
        QStringList classCaptions; // after each of four selections
    };
    const Case cases[] = {
        {10,
         0x10,
         {"Licht aus", "Licht an"},
         {"Schutzklasse 2", "Schutzklasse 3", "Schutzklasse 1e", "Schutzklasse 1"}},
        {10, 0x18, {"lumièr décl.", "lumièr encl."}, {"Schutzklasse 2"}},
        // Older testers name the light as it was before the selection.
        {5,
         0x10,
         {"Licht an", "Licht aus"},
         {"Schutzklasse  2", "Schutzklasse  3", "Schutzklasse 1e", "Schutzklasse  1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        state = ReportSession{};
        testerState = TesterState{};
        connectTo(c.version, c.status);
        form->ButtonAutoClick();
        const int light = testerState.connection.lightFlag;
        for (const QString& caption : c.lightCaptions) {
            form->BitBtn3Click();
            EXPECT_EQ(label("PanelLicht")->text(), caption);
        }
        EXPECT_EQ(testerState.connection.lightFlag, light);
        EXPECT_EQ(tester->model().lightOn(), light == 1);
        form->BitBtn2Click();
        for (const QString& caption : c.classCaptions) {
            form->BitBtn3Click();
            EXPECT_EQ(label("PanelSchutz")->text(), caption);
            EXPECT_EQ(tester->model().protectionClass(), state.report.protectionClass);
        }
    }
}

TEST_F(ConsoleTest, DoubleClickSelects) {
    connectTo(10);
    form->ButtonAutoClick();
    const qsizetype before = sentCount();
    form->PanelDblClick(4);
    EXPECT_EQ(sentSince(before), QByteArray("\x01\x04"));
    EXPECT_FALSE(form->menu().active());
    EXPECT_EQ(tester->model().mode(), TesterModel::Mode::Idle);
}

TEST_F(ConsoleTest, TesterKeysAreFollowedWithoutEcho) {
    connectTo(10);
    const qsizetype before = sentCount();
    tester->pressKey(0x04);
    form->Timer1Timer();
    EXPECT_TRUE(form->menu().active());
    EXPECT_FALSE(label("PanelLicht")->isHidden());
    tester->pressKey(0x01);
    form->Timer2Timer();
    EXPECT_EQ(form->menu().cursor(), 4);
    tester->pressKey(0x04);
    form->Timer2Timer();
    EXPECT_FALSE(form->menu().active());
    EXPECT_EQ(sentSince(before), QByteArray());

    // The class key of a tester without a menu.
    connectTo(3);
    const qsizetype classBefore = sentCount();
    tester->pressKey(0x04);
    form->Timer1Timer();
    EXPECT_EQ(state.report.protectionClass, 2);
    EXPECT_EQ(status(), QStringLiteral("eingestellte Schutzklasse: 2"));
    EXPECT_EQ(sentSince(classBefore), QByteArray());
    form->ButtonAutoAnalogClick();
    EXPECT_EQ(sentSince(classBefore), QByteArray("\x04"));
    EXPECT_EQ(tester->model().protectionClass(), 3);
}

TEST_F(ConsoleTest, ZeroPointCorrection) {
    connectTo(10);
    const qsizetype before = sentCount();
    form->ButtonKompClick();
    EXPECT_EQ(sentSince(before), QByteArray("\x05"));
    EXPECT_EQ(status(), QStringLiteral("Nullpunktkorrektur erfolgreich durchgeführt"));
    EXPECT_TRUE(live("Button0701"));
    EXPECT_TRUE(live("ButtonKomp"));
    EXPECT_FALSE(button("ButtonBeginnFern")->isEnabled());
    EXPECT_TRUE(form->portOpen());

    // Asked for at the tester, the correction is confirmed with the same byte.
    tester->pressKey(0x05);
    form->Timer1Timer();
    EXPECT_EQ(sentSince(before), QByteArray("\x05\x05"));
    EXPECT_TRUE(notices.shown.empty());

    TesterConfig config;
    config.correctionReply = 'x';
    start(config);
    form->ButtonBeginnFernClick();
    form->ButtonKompClick();
    EXPECT_EQ(notices.shown, std::vector<Notice>{Notice::NoReaction});
    EXPECT_FALSE(form->portOpen());
    EXPECT_EQ(tester->model().mode(), TesterModel::Mode::Local);
}

TEST_F(ConsoleTest, TestKindWithoutInsulationChoice) {
    connectTo(10);
    const qsizetype before = sentCount();
    form->Button0701Click();
    EXPECT_EQ(sentSince(before), QByteArray("\x01"));
    EXPECT_EQ(state.report.testKind, 1);
    EXPECT_EQ(label("LabelArt")->text(), QStringLiteral("0701"));
    EXPECT_EQ(displayLines(), (QStringList{" ", "Hand=      0701", "Automatik= Auto"}));
    EXPECT_TRUE(live("Button0701Mess"));
    EXPECT_TRUE(live("ButtonAutoMess"));
    EXPECT_FALSE(button("Button0702Mess")->isHidden());
    EXPECT_FALSE(button("Button0702Mess")->isEnabled());
    EXPECT_TRUE(button("nrisobtn")->isHidden());
    EXPECT_FALSE(button("ButtonEndeFern")->isEnabled());
    EXPECT_TRUE(form->findChild<QTimer*>("Timermessen")->isActive());
    EXPECT_EQ(tester->model().mode(), TesterModel::Mode::StartChoice);
}

TEST_F(ConsoleTest, TestKindWithInsulationChoice) {
    connectTo(10, 0x10); // class 1
    form->Button0702Click();
    EXPECT_EQ(state.report.testKind, 2);
    EXPECT_EQ(displayLines(), (QStringList{" ", "mit Riso=   0701", "ohne Riso=  0702"}));
    EXPECT_TRUE(live("nrisobtn"));
    EXPECT_TRUE(live("Risobtn"));
    EXPECT_TRUE(button("Button0702Mess")->isHidden());

    const qsizetype before = sentCount();
    form->RisobtnClick();
    EXPECT_EQ(sentSince(before), QByteArray("\x02"));
    EXPECT_EQ(state.report.niso, 1);
    EXPECT_TRUE(tester->model().niso());
    EXPECT_EQ(displayLines(), (QStringList{" ", "Hand=      0702", "Automatik= Auto"}));
    EXPECT_TRUE(live("Button0702Mess"));
    EXPECT_TRUE(button("nrisobtn")->isHidden());
}

TEST_F(ConsoleTest, TestChosenAtTheTester) {
    connectTo(10);
    const qsizetype before = sentCount();
    tester->pressKey(0x02);
    form->Timer1Timer();
    EXPECT_EQ(state.report.testKind, 2);
    EXPECT_TRUE(live("nrisobtn"));
    tester->pressKey('J');
    form->TimermessenTimer();
    EXPECT_EQ(state.report.niso, 0);
    EXPECT_TRUE(live("ButtonAutoMess"));

    QSignalSpy runStart(form.get(), &TForm3::runStartRequested);
    tester->pressKey(0x04);
    form->TimermessenTimer();
    ASSERT_EQ(runStart.size(), 1);
    EXPECT_EQ(runStart.at(0).at(0).toInt(), 0x04);
    EXPECT_TRUE(runStart.at(0).at(1).toBool());
    EXPECT_EQ(sentSince(before), QByteArray());
}

TEST_F(ConsoleTest, InsulationChoiceByVersionAndClass) {
    struct Case {
        int version;
        std::uint8_t status;
        bool kind0701, kind0702;
    };
    const Case cases[] = {
        {10, 0x10, false, true}, {9, 0x10, true, true},   {6, 0x10, true, false},
        {5, 0x11, true, false},  {4, 0x10, false, false}, {10, 0x12, false, false}, // class 3
    };
    for (const Case& c : cases) {
        for (const int kind : {1, 2}) {
            SCOPED_TRACE(testing::Message() << c.version << " kind " << kind);
            connectTo(c.version, c.status);
            kind == 1 ? form->Button0701Click() : form->Button0702Click();
            const bool offered = kind == 1 ? c.kind0701 : c.kind0702;
            EXPECT_EQ(live("nrisobtn"), offered);
            EXPECT_EQ(tester->model().mode(), offered ? TesterModel::Mode::InsulationChoice
                                                      : TesterModel::Mode::StartChoice);
        }
    }
}

TEST_F(ConsoleTest, FailedKeySendEndsWithTheNoticeAndNoFurtherBytes) {
    connectTo(10);
    tester->device().setCtsOnFrom(TestSerialDevice::kNever);
    form->Button0701Click();
    EXPECT_EQ(notices.shown, std::vector<Notice>{Notice::NoReaction});
    EXPECT_FALSE(form->portOpen());
    for (const char* timer : {"Timer1", "Timer2", "Timermessen", "TimerSenden"})
        EXPECT_FALSE(form->findChild<QTimer*>(timer)->isActive()) << timer;
    EXPECT_EQ(tester->device().sentBytes(), QByteArray("ef\x0a"));
}

TEST_F(ConsoleTest, EndingTheConnection) {
    connectTo(10);
    const qsizetype before = sentCount();
    form->ButtonEndeFernClick();
    EXPECT_EQ(sentSince(before), QByteArray("e"));
    EXPECT_FALSE(form->portOpen());
    EXPECT_TRUE(tester->device().closed());
    EXPECT_EQ(status(), QStringLiteral("  "));
    EXPECT_TRUE(button("ButtonBeginnFern")->isEnabled());
    EXPECT_FALSE(button("Button0701")->isEnabled());
    EXPECT_FALSE(form->findChild<QTimer*>("Timer1")->isActive());
    // The label keeps naming the tester last connected.
    EXPECT_EQ(label("Label1")->text(), QStringLiteral("SW-Version des Testers: 4.0"));

    // With the menu open the tester first goes back through Zurück.
    struct Case {
        int version;
        int cursor;
        QByteArray keys;
    };
    const Case cases[] = {
        {10, 1, "\x01"}, {10, 2, "\x01\x01"}, {10, 3, "\x02"},
        {10, 4, ""},     {5, 1, "\x01"},      {5, 2, "\x02"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.version << " cursor " << c.cursor);
        connectTo(c.version);
        form->ButtonAutoClick();
        form->PanelClick(c.cursor);
        const qsizetype menuBefore = sentCount();
        form->done(QDialog::Rejected);
        EXPECT_EQ(sentSince(menuBefore), c.keys + "\x04" + "e");
        EXPECT_EQ(tester->model().mode(), TesterModel::Mode::Local);
        EXPECT_TRUE(label("PanelLicht")->isHidden());
        EXPECT_FALSE(form->portOpen());
    }
}

TEST_F(ConsoleTest, CloseDuringAnExchangeWaitsForItsEnd) {
    start();
    bool asked = false;
    clock.setObserver([&](std::int64_t now) {
        if (now > 1800 && !asked) {
            asked = true;
            // The close box and a timer tick while the version byte is under way.
            form->Timer1Timer();
            form->done(QDialog::Rejected);
            EXPECT_TRUE(form->portOpen());
        }
    });
    form->ButtonBeginnFernClick();
    clock.setObserver(nullptr);
    EXPECT_TRUE(asked);
    EXPECT_EQ(testerState.connection.ProtocolVersion, 10);
    EXPECT_EQ(tester->device().sentBytes(), QByteArray("ef\x0a"
                                                       "e"));
    EXPECT_FALSE(form->portOpen());
}

TEST_F(ConsoleTest, DisplayAndSoftwareLabelNeitherOverlapNorClip) {
    connectTo(10);
    form->Button0701Click();
    const QRect box = label("Label4")->geometry();
    EXPECT_EQ(box, QRect(160, 72, 353, 89));
    QLabel* software = label("Label1");
    EXPECT_EQ(software->text(), QStringLiteral("SW-Version des Testers: 4.0"));
    EXPECT_FALSE(software->geometry().intersects(box)) << software->geometry().y();
    EXPECT_GE(software->width(), software->sizeHint().width());
    EXPECT_GE(software->height(), QFontMetrics(software->font()).height());
    EXPECT_LE(software->geometry().bottom(), button("Button0701")->geometry().top());
    const int lineTops[] = {88, 112, 144};
    for (int i = 0; i < 3; ++i) {
        QLabel* displayLine =
            label(QByteArray("LabelZeile" + QByteArray::number(i + 1)).constData());
        SCOPED_TRACE(displayLine->objectName().toStdString());
        EXPECT_EQ(displayLine->y(), lineTops[i]);
        EXPECT_GE(displayLine->height(), QFontMetrics(displayLine->font()).height());
        EXPECT_GE(displayLine->width(),
                  QFontMetrics(displayLine->font()).horizontalAdvance(QString(22, u'W')));
        EXPECT_TRUE(box.contains(displayLine->geometry()));
    }
}

TEST_F(ConsoleTest, ClosingWithoutAConnectionBeeps) {
    start();
    form->done(QDialog::Rejected);
    ASSERT_EQ(prompter.calls().size(), 1u);
    EXPECT_EQ(prompter.calls()[0].kind, ScriptedPrompter::Kind::Beep);
    EXPECT_EQ(status(), QStringLiteral("  "));
    EXPECT_TRUE(tester->device().sentBytes().isEmpty());
}

} // namespace
