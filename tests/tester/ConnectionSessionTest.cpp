#include "tester/ConnectionSession.h"
#include "FakeClock.h"
#include "SessionLog.h"
#include "SimulatedLine.h"
#include "report/ReportSession.h"
#include "tester/MeasurementRun.h"
#include "tester/PortSettings.h"
#include "tester/SerialLine.h"
#include "tester/SettingsMenu.h"
#include "tester/TesterCommands.h"
#include "tester/TesterLink.h"
#include "tester/TesterState.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

class RecordingConnectionWindow : public ConnectionWindow {
public:
    explicit RecordingConnectionWindow(QStringList& log)
        : log_(log) {}

    void stopTimers() override { log_ << QStringLiteral("stop timers"); }
    void showStatus(const QString& text) override { log_ << QStringLiteral("status ") + text; }
    void paintNow() override { log_ << QStringLiteral("paint"); }
    void showNotice(Notice notice) override { log_ << noticeWindow(notice); }
    void endRemoteControl() override { log_ << QStringLiteral("end remote control"); }
    void showSoftwareLabel(const QString& label) override {
        log_ << QStringLiteral("label ") + label;
    }
    void showConnected(bool classKey, bool accelerators) override {
        log_ << QStringLiteral("connected%1%2")
                    .arg(classKey ? QStringLiteral(", class key") : QString(),
                         accelerators ? QStringLiteral(", accelerators") : QString());
    }
    void showMenuCursor(int position) override {
        log_ << QStringLiteral("menu cursor %1").arg(position);
    }
    void showDisconnected() override { log_ << QStringLiteral("disconnected"); }

private:
    QStringList& log_;
};

// The run is not started here; its window is never used.
class IdleRunWindow : public RunWindow {
public:
    void stopTimers() override {}
    void continueLater() override {}
    void showRunKeys() override {}
    void showMode(const QString&) override {}
    void showLine(int, const QString&) override {}
    void showMark(run_display::Mark, bool) override {}
    void showStatus(const QString&) override {}
    void showVerdict(const QString&) override {}
    void showNotice(Notice) override {}
    void endRemoteControl() override {}
};

const QString kConnecting = QStringLiteral("status Verbindung zum Gerätetester wird hergestellt  ");

// "ef", then each version from 10 down to `last`, each refused one followed by "ef".
QByteArray offersDownTo(int last) {
    QByteArray bytes("ef");
    for (int version = 10; version > last; --version)
        bytes += char(version) + QByteArray("ef");
    return bytes + char(last);
}

// Connecting and disconnecting on a line to the simulated tester, in virtual time.
class ConnectionSessionTest : public ::testing::Test {
protected:
    void start(TesterConfig config) {
        log.clear();
        state = ReportSession{};
        testerState = TesterState{};
        tester = std::make_unique<SimulatedLine>(std::move(config), clock);
        line = std::make_unique<SerialLine>(tester->ports(), clock);
        link = std::make_unique<TesterLink>(*line);
        menu = SettingsMenu{};
        run = std::make_unique<MeasurementRun>(*link, testerState.connection, state.report,
                                               runWindow);
        session = std::make_unique<ConnectionSession>(*link, settings, testerState.connection,
                                                      state.report, menu, *run, prompter, window);
    }
    // Connects to a tester that accepts this version only.
    void connectTo(int version) {
        TesterConfig config;
        config.acceptedVersions = {version};
        start(config);
        session->begin();
        ASSERT_TRUE(link->isOpen());
        log.clear();
    }
    QByteArray sent() const { return tester->device().sentBytes(); }

    FakeClock clock;
    ReportSession state;
    TesterState testerState;
    PortSettings settings;
    SettingsMenu menu;
    QStringList log;
    LoggingPrompter prompter{log};
    RecordingConnectionWindow window{log};
    IdleRunWindow runWindow;
    std::unique_ptr<SimulatedLine> tester;
    std::unique_ptr<SerialLine> line;
    std::unique_ptr<TesterLink> link;
    std::unique_ptr<MeasurementRun> run;
    std::unique_ptr<ConnectionSession> session;
};

TEST_F(ConnectionSessionTest, BeginOverVersionsAndFaults) {
    const QString oldLimits = QStringLiteral(
        "message Achtung|Ihr Gerät ist noch nicht auf die seit dem 01.09.2000 gültigen Grenzwerte "
        "für die Prüfung nach VDE0701 umgestellt. Adresse und Telefonnummer für Informationen: "
        "siehe Hilfe | Info");
    const QString unusable =
        QStringLiteral("message Achtung|Ihr Gerät kann mit dieser Software nicht verwendet "
                       "werden. Adresse und Telefonnummer für Informationen: siehe Hilfe | Info");
    const auto accepting = [](std::set<int> versions, std::uint8_t status = 0x10) {
        TesterConfig config;
        config.acceptedVersions = std::move(versions);
        config.statusByte = status;
        return config;
    };
    const auto faulty = [](const std::function<void(TesterConfig&)>& fault) {
        TesterConfig config;
        fault(config);
        return config;
    };
    struct Case {
        const char* what;
        TesterConfig config;
        QByteArray sent;
        QStringList log;
        int version;
        bool open;
    };
    const Case cases[] = {
        {"accepts 10",
         accepting({10}),
         "ef\x0a",
         {kConnecting, "paint", "label SW-Version des Testers: 4.0", "connected",
          "status eingestellte Schutzklasse: 1"},
         10,
         true},
        {"accepts 9 and 10, status 1e with differential current",
         accepting({9, 10}, 0x83),
         "ef\x0a",
         {kConnecting, "paint", "label SW-Version des Testers: 4.0", "connected",
          "status eingestellte Schutzklasse: 1e"},
         10,
         true},
        {"accepts only 9",
         accepting({9}),
         offersDownTo(9),
         {kConnecting, "paint", "label SW-Version des Testers: 3.9", "connected, accelerators",
          "status eingestellte Schutzklasse: 1"},
         9,
         true},
        {"accepts only 8",
         accepting({8}),
         offersDownTo(8),
         {kConnecting, "paint", unusable, "end remote control"},
         8,
         true},
        {"accepts only 7",
         accepting({7}),
         offersDownTo(7),
         {kConnecting, "paint", unusable, "end remote control"},
         7,
         true},
        {"accepts only 6, its class key in the status",
         accepting({6}, 0x41),
         offersDownTo(6),
         {kConnecting, "paint", "connected, class key, accelerators",
          "status eingestellte Schutzklasse: 2"},
         6,
         true},
        {"accepts only 4, which has no label",
         accepting({4}, 0x12),
         offersDownTo(4),
         {kConnecting, "paint", "connected, accelerators", "status eingestellte Schutzklasse: 3"},
         4,
         true},
        {"accepts only 3, which steps the class with its Auto key",
         accepting({3}),
         offersDownTo(3),
         {kConnecting, "paint", "label SW-Version des Testers: 3.1",
          "connected, class key, accelerators", "status eingestellte Schutzklasse: 1"},
         3,
         true},
        {"accepts only 1, with the old limits",
         accepting({1}),
         offersDownTo(1),
         {kConnecting, "paint", oldLimits, "label SW-Version des Testers: 3.1",
          "connected, accelerators", "status eingestellte Schutzklasse: 1"},
         1,
         true},
        {"refuses every version",
         accepting({}),
         offersDownTo(1) + "ef",
         {kConnecting, "paint", "stop timers", "TForm6", "end remote control"},
         0,
         true},
        {"silent",
         faulty([](TesterConfig& c) { c.silent = true; }),
         "ef\x0a",
         {kConnecting, "paint", "stop timers", "TForm4", "end remote control"},
         0,
         true},
        {"CTS never on",
         faulty([](TesterConfig& c) { c.ctsNeverOn = true; }),
         "",
         {kConnecting, "paint", "stop timers", "TForm4", "end remote control"},
         0,
         true},
        {"garbage for every answer",
         faulty([](TesterConfig& c) { c.garbage = "\x55\xAA"; }),
         "ef\x0a",
         {kConnecting, "paint", "stop timers", "TForm7", "end remote control"},
         0,
         true},
        // The handshake's answers are single bytes; none is cut.
        {"answers cut short",
         faulty([](TesterConfig& c) { c.cutShortBy = 1; }),
         "ef\x0a",
         {kConnecting, "paint", "label SW-Version des Testers: 4.0", "connected",
          "status eingestellte Schutzklasse: 1"},
         10,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        start(c.config);
        session->begin();
        EXPECT_EQ(sent(), c.sent);
        EXPECT_EQ(joined(log), joined(c.log));
        EXPECT_EQ(testerState.connection.ProtocolVersion, c.version);
        EXPECT_EQ(link->isOpen(), c.open);
    }
}

TEST_F(ConnectionSessionTest, APortRefusedForLackOfPermissionTellsTheRemedyInsteadOfTheNotice) {
    start({});
    tester->ports().setRefuseOpen(true);
    tester->ports().setOpenProblem(QStringLiteral("Keine Berechtigung für \"/dev/ttyUSB0\"."));
    session->begin();
    EXPECT_EQ(joined(log),
              joined(QStringList{"beep", "stop timers",
                                 "message Hinweis|Keine Berechtigung für \"/dev/ttyUSB0\".",
                                 "end remote control"}));
    EXPECT_FALSE(link->isOpen());
}

TEST_F(ConnectionSessionTest, PortThatCannotBeOpenedOrIsOpenAlready) {
    start({});
    settings.portIndex = 3; // no tester there
    session->begin();
    EXPECT_EQ(joined(log),
              joined(QStringList{"beep", "stop timers", "TForm5", "end remote control"}));
    EXPECT_FALSE(link->isOpen());

    settings.portIndex = 0;
    connectTo(10);
    const QByteArray before = sent();
    session->begin();
    EXPECT_EQ(joined(log),
              joined(QStringList{"beep", "status Schnittstelle ist bereits geöffnet!"}));
    EXPECT_EQ(sent(), before);
}

TEST_F(ConnectionSessionTest, EndLeavesTheMenuAndRemoteMode) {
    struct Case {
        const char* what;
        int version;
        int menuCursor; // 0: menu closed
        QByteArray sent;
        QStringList log;
    };
    const Case cases[] = {
        {"menu closed", 10, 0, "e", {"stop timers", "status   ", "disconnected"}},
        {"on Licht, four items",
         10,
         1,
         "\x01\x04"
         "e",
         {"stop timers", "menu cursor 1", "status   ", "disconnected"}},
        {"on Schutzklasse, four items",
         10,
         2,
         "\x01\x01\x04"
         "e",
         {"stop timers", "menu cursor 1", "status   ", "disconnected"}},
        {"on Sprache, four items",
         6,
         3,
         "\x02\x04"
         "e",
         {"stop timers", "menu cursor 1", "status   ", "disconnected"}},
        {"on Zurück, four items",
         10,
         4,
         "\x04"
         "e",
         {"stop timers", "menu cursor 1", "status   ", "disconnected"}},
        {"on Schutzklasse, three items",
         5,
         2,
         "\x02\x04"
         "e",
         {"stop timers", "menu cursor 1", "status   ", "disconnected"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        connectTo(c.version);
        if (c.menuCursor > 0) {
            ASSERT_EQ(tester_command::pressKey(*link, testerState.connection, 0x04),
                      LineStatus::Ok);
            menu.open(c.version);
            for (const std::uint8_t key : menu.clickOn(c.menuCursor))
                ASSERT_EQ(tester_command::pressKey(*link, testerState.connection, key),
                          LineStatus::Ok);
            ASSERT_EQ(tester->model().menuCursor(), c.menuCursor);
        }
        const qsizetype before = sent().size();
        session->end();
        EXPECT_EQ(sent().mid(before), c.sent);
        EXPECT_EQ(joined(log), joined(c.log));
        EXPECT_FALSE(menu.active());
        EXPECT_FALSE(link->isOpen());
        EXPECT_EQ(tester->model().mode(), TesterModel::Mode::Local);
    }
}

TEST_F(ConnectionSessionTest, EndWhenTheTesterNoLongerTakesBytesGivesOneNotice) {
    for (const bool menuOpen : {false, true}) {
        SCOPED_TRACE(menuOpen ? "menu open" : "menu closed");
        connectTo(10);
        if (menuOpen)
            menu.open(10);
        tester->device().setCtsOnFrom(TestSerialDevice::kNever);
        const qsizetype before = sent().size();
        session->end();
        EXPECT_EQ(sent().mid(before), QByteArray());
        const QStringList expected =
            menuOpen
                ? QStringList{"stop timers", "menu cursor 1", "stop timers",
                              "TForm4",      "status   ",     "disconnected"}
                : QStringList{"stop timers", "stop timers", "TForm4", "status   ", "disconnected"};
        EXPECT_EQ(joined(log), joined(expected));
        EXPECT_EQ(testerState.connection.noResponse, 1);
        EXPECT_FALSE(link->isOpen());
    }
}

TEST_F(ConnectionSessionTest, EndWithoutAConnectionOrWithAPortThatStaysOpen) {
    start({});
    session->end();
    EXPECT_EQ(joined(log), joined(QStringList{"stop timers", "beep", "status   "}));
    EXPECT_EQ(sent(), QByteArray());

    connectTo(10);
    tester->device().setRefuseClose(true);
    const qsizetype before = sent().size();
    session->end();
    EXPECT_EQ(sent().mid(before), QByteArray("e"));
    EXPECT_EQ(joined(log),
              joined(QStringList{"stop timers", "beep",
                                 "status Schnittstelle konnte nicht geschlossen werden!"}));
    EXPECT_TRUE(link->isOpen());
}

} // namespace
