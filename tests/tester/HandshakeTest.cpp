#include "ConsoleFixture.h"
#include "tester/TesterCommands.h"

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray result;
    for (int v : values)
        result.append(static_cast<char>(v));
    return result;
}

using HandshakeTest = ConsoleTest;

TEST_F(HandshakeTest, TesterAcceptingTenAtOnce) {
    connectTo(10, 0x10);
    EXPECT_EQ(tester->device().sentBytes(), QByteArray("ef\x0a"));
    // Each byte waits the send pause; the flush after 'e' waits half a second.
    const auto& sent = tester->device().sent();
    EXPECT_EQ(sent[0].at, 500);
    EXPECT_GE(sent[1].at - sent[0].at, 1000);
    EXPECT_EQ(sent[2].at - sent[1].at, 500);
    EXPECT_LT(clock.now(), 2100);

    EXPECT_EQ(testerState.connection.ProtocolVersion, 10);
    EXPECT_EQ(testerState.connection.TesterStatus, 0x10);
    EXPECT_EQ(state.report.protectionClass, 1);
    EXPECT_EQ(label("Label1")->text(), QStringLiteral("SW-Version des Testers: 4.0"));
    EXPECT_EQ(status(), QStringLiteral("eingestellte Schutzklasse: 1"));
    EXPECT_TRUE(form->portOpen());
    EXPECT_TRUE(form->findChild<QTimer*>("Timer1")->isActive());
    for (const char* key :
         {"Button0701", "Button0702", "ButtonAuto", "ButtonKomp", "ButtonEndeFern"})
        EXPECT_TRUE(live(key)) << key;
    EXPECT_FALSE(button("ButtonBeginnFern")->isEnabled());
    EXPECT_TRUE(button("ButtonAutoAnalog")->isHidden());
    // Version 10 keeps the captions without accelerators.
    EXPECT_EQ(button("Button0701")->text(), QStringLiteral("0701"));
    EXPECT_EQ(button("Button0702")->text(), QStringLiteral("0702"));
    EXPECT_TRUE(notices.shown.empty());
    EXPECT_TRUE(prompter.calls().empty());
}

TEST_F(HandshakeTest, TesterAcceptingOnlyNine) {
    connectTo(9);
    EXPECT_EQ(tester->device().sentBytes(), QByteArray("ef\x0a"
                                                       "ef\x09"));
    EXPECT_EQ(testerState.connection.ProtocolVersion, 9);
    EXPECT_EQ(label("Label1")->text(), QStringLiteral("SW-Version des Testers: 3.9"));
    for (const char* key : {"Button0701", "nrisobtn", "Button0701Mess", "ButtonWeiter1", "BitBtn1"})
        EXPECT_EQ(button(key)->text(), QStringLiteral("070&1")) << key;
    for (const char* key : {"Button0702", "Risobtn", "Button0702Mess", "ButtonWeiter2", "BitBtn2"})
        EXPECT_EQ(button(key)->text(), QStringLiteral("070&2")) << key;
}

TEST_F(HandshakeTest, TesterRefusingEveryVersionGetsTheIncompatibilityNotice) {
    TesterConfig config;
    config.acceptedVersions = {};
    start(config);
    form->ButtonBeginnFernClick();
    QByteArray expected("ef");
    for (int version = 10; version >= 1; --version)
        expected += bytes({version, 'e', 'f'});
    // Closing takes the tester out of remote mode.
    expected += "e";
    EXPECT_EQ(tester->device().sentBytes(), expected);
    EXPECT_EQ(notices.shown, std::vector<Notice>{Notice::Incompatible});
    EXPECT_EQ(testerState.connection.ProtocolVersion, 0);
    EXPECT_EQ(state.report.protectionClass, 0);
    EXPECT_FALSE(form->portOpen());
    EXPECT_TRUE(tester->device().closed());
}

TEST_F(HandshakeTest, TesterWithoutCtsAtTheStartIsNotAskedToEnd) {
    TesterConfig config;
    config.ctsNeverOn = true;
    start(config);
    form->ButtonBeginnFernClick();
    EXPECT_EQ(notices.shown, std::vector<Notice>{Notice::NoReaction});
    EXPECT_EQ(testerState.connection.noResponse, 1);
    EXPECT_TRUE(tester->device().sentBytes().isEmpty());
    EXPECT_FALSE(form->portOpen());
    // 'e' and 'f' each wait the pause and the send timeout; closing waits a pause.
    EXPECT_GE(clock.now(), 2 * 5500);
    EXPECT_LT(clock.now(), 2 * 5500 + 1200);
}

TEST_F(HandshakeTest, SilentTesterGetsTheNoticeAfterTheReplyTimeout) {
    TesterConfig config;
    config.silent = true;
    start(config);
    form->ButtonBeginnFernClick();
    EXPECT_EQ(notices.shown, std::vector<Notice>{Notice::NoReaction});
    // It took every byte, so closing still sends 'e'.
    EXPECT_EQ(tester->device().sentBytes(), QByteArray("ef\x0a"
                                                       "e"));
    const auto& sent = tester->device().sent();
    EXPECT_GE(sent[3].at - sent[2].at, SerialLine::kReplyTimeout);
    EXPECT_EQ(testerState.connection.ProtocolVersion, 0);
    EXPECT_FALSE(form->portOpen());
}

TEST_F(HandshakeTest, GarbageOnTheLineIsNoTester) {
    struct Case {
        const char* what;
        QByteArray reply;
    };
    const Case cases[] = {
        {"0x55 0xAA repeated", QByteArray("\x55\xAA").repeated(8)},
        {"a refusal with more behind it", QByteArray("f\x55\xAA")},
        {"a status byte twice", QByteArray("\x10\x10")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        notices.shown.clear();
        TesterConfig config;
        config.garbage = c.reply;
        start(config);
        form->ButtonBeginnFernClick();
        EXPECT_EQ(notices.shown, std::vector<Notice>{Notice::TransferError});
        // The offer that got garbage is the last; closing still asks the line to end.
        EXPECT_EQ(tester->device().sentBytes(), QByteArray("ef\x0a"
                                                           "e"));
        EXPECT_EQ(testerState.connection.ProtocolVersion, 0);
        EXPECT_EQ(state.report.protectionClass, 0);
        EXPECT_FALSE(form->portOpen());
        EXPECT_EQ(label("Label1")->text(), QStringLiteral(" "));
        EXPECT_EQ(button("ButtonAutoAnalog")->text(), QStringLiteral("&Auto"));
        for (const char* key : {"Button0701", "Button0702", "ButtonAuto", "ButtonAutoAnalog"})
            EXPECT_FALSE(button(key)->isEnabled()) << key;
        EXPECT_TRUE(button("ButtonBeginnFern")->isEnabled());
    }
}

TEST_F(HandshakeTest, AFormerNoResponseIsForgottenAtTheNextConnection) {
    testerState.connection.noResponse = 1;
    connectTo(10);
    EXPECT_EQ(testerState.connection.noResponse, 0);
    const qsizetype before = sentCount();
    form->ButtonEndeFernClick();
    EXPECT_EQ(sentSince(before), QByteArray("e"));
}

TEST_F(HandshakeTest, StatusDecodedByVersion) {
    struct Case {
        int version;
        std::uint8_t status;
        int protectionClass, diff, classKeyMode, frenchDisplay, lightFlag;
        QString statusLine;
    };
    const Case cases[] = {
        {10, 0x83, 4, 1, 0, 0, 0, QStringLiteral("eingestellte Schutzklasse: 1e")},
        {10, 0x4D, 2, 0, 1, 1, 1, QStringLiteral("eingestellte Schutzklasse: 2")},
        {6, 0x06, 3, 0, 0, 0, 1, QStringLiteral("eingestellte Schutzklasse: 3")},
        // Version 5 has no light bit: the flag keeps its previous value (1 here).
        {5, 0x10, 1, 0, 0, 0, 1, QStringLiteral("eingestellte Schutzklasse: 1")},
        // Versions 1..4 tell nothing beyond the class; 3 has no menu at all.
        {4, 0xC1, 2, 0, 0, 0, 1, QStringLiteral("eingestellte Schutzklasse: 2")},
        {3, 0x10, 1, 0, 1, 0, 1, QStringLiteral("eingestellte Schutzklasse: 1")},
    };
    for (const Case& c : cases) {
        state = ReportSession{};
        testerState = TesterState{};
        testerState.connection.lightFlag = 1;
        state.report.oldNorm = 1;
        connectTo(c.version, c.status);
        SCOPED_TRACE(c.version);
        EXPECT_EQ(testerState.connection.ProtocolVersion, c.version);
        EXPECT_EQ(state.report.protectionClass, c.protectionClass);
        EXPECT_EQ(state.report.diff, c.diff);
        EXPECT_EQ(testerState.connection.classKeyMode, c.classKeyMode);
        EXPECT_EQ(testerState.connection.frenchDisplay, c.frenchDisplay);
        EXPECT_EQ(testerState.connection.lightFlag, c.lightFlag);
        EXPECT_EQ(state.report.oldNorm, c.version >= 9 ? 0 : 1);
        EXPECT_EQ(status(), c.statusLine);
    }
}

TEST_F(HandshakeTest, VersionThreeStepsTheClassInsteadOfAMenu) {
    connectTo(3);
    EXPECT_TRUE(live("ButtonAutoAnalog"));
    EXPECT_EQ(button("ButtonAutoAnalog")->text(), QStringLiteral("&SKL ändern"));
    EXPECT_TRUE(button("ButtonAuto")->isHidden());
    EXPECT_EQ(label("Label1")->text(), QStringLiteral("SW-Version des Testers: 3.1"));
}

TEST_F(HandshakeTest, VersionsSevenAndEightCannotBeUsed) {
    for (int version : {7, 8}) {
        prompter = ScriptedPrompter{};
        connectTo(version);
        SCOPED_TRACE(version);
        EXPECT_EQ(prompter.messages(),
                  QStringList{QStringLiteral(
                      "Achtung|Ihr Gerät kann mit dieser Software nicht verwendet werden. Adresse "
                      "und Telefonnummer für Informationen: siehe Hilfe | Info")});
        EXPECT_TRUE(notices.shown.empty());
        EXPECT_FALSE(form->portOpen());
        EXPECT_TRUE(sentSince(sentCount() - 1) == "e");
        EXPECT_EQ(tester->model().mode(), TesterModel::Mode::Local);
        EXPECT_EQ(label("Label1")->text(), QStringLiteral(" "));
    }
}

TEST_F(HandshakeTest, VersionOneWarnsAboutOldLimitsAndConnects) {
    connectTo(1);
    EXPECT_EQ(prompter.messages(),
              QStringList{QStringLiteral(
                  "Achtung|Ihr Gerät ist noch nicht auf die seit dem 01.09.2000 gültigen "
                  "Grenzwerte für die Prüfung nach VDE0701 umgestellt. Adresse und Telefonnummer "
                  "für Informationen: siehe Hilfe | Info")});
    EXPECT_TRUE(form->portOpen());
    EXPECT_EQ(label("Label1")->text(), QStringLiteral("SW-Version des Testers: 3.1"));
}

TEST_F(HandshakeTest, StepNamesFollowTheVersion) {
    struct Case {
        int version;
        QString step6, step7;
    };
    const Case cases[] = {
        {6, QStringLiteral("Ersatzableitstrom     "), QStringLiteral("Schutzleiterstrom     ")},
        {7, QStringLiteral("Isolationswiderstand  "), QStringLiteral("Schutzleiterstrom     ")},
        {10, QStringLiteral("Isolationswiderstand  "), QStringLiteral("Ersatzableitstrom     ")},
    };
    TesterConnection connection;
    for (const Case& c : cases) {
        adjustStepNames(c.version, connection);
        EXPECT_EQ(connection.stepNames[4], QStringLiteral("Schutzleiterwiderstand"));
        EXPECT_EQ(connection.stepNames[6], c.step6) << c.version;
        EXPECT_EQ(connection.stepNames[7], c.step7) << c.version;
        EXPECT_EQ(connection.stepNames[2], QStringLiteral("Isolationswiderstand  "));
    }
}

TEST_F(HandshakeTest, PortProblemsAreReported) {
    start();
    settings.portIndex = 3; // no tester there
    form->ButtonBeginnFernClick();
    EXPECT_EQ(notices.shown, std::vector<Notice>{Notice::PortNotActivated});
    EXPECT_TRUE(tester->device().sentBytes().isEmpty());

    // A second start on an open port is refused without touching the line.
    notices.shown.clear();
    settings.portIndex = 0;
    connectTo(10);
    const qsizetype before = sentCount();
    form->ButtonBeginnFernClick();
    EXPECT_EQ(status(), QStringLiteral("Schnittstelle ist bereits geöffnet!"));
    EXPECT_EQ(sentSince(before), QByteArray());
    EXPECT_TRUE(form->portOpen());
}

} // namespace
