#include "ConsoleFixture.h"
#include "tester/Clock.h"
#include "tester/PortSlots.h"
#include "tester/TermiosSerial.h"

#include <QProcess>

namespace {

// The remote-control window on the real serial backend and the real clock,
// against ztd-sim over a pseudo-terminal.
class PtyConsoleTest : public ::testing::Test {
protected:
    void startSim(const QStringList& arguments) {
        sim.setProgram(QStringLiteral(ZTD_SIM_PATH));
        sim.setArguments(arguments);
        sim.start();
        ASSERT_TRUE(sim.waitForStarted(5000));
        ASSERT_TRUE(sim.waitForReadyRead(5000));
        const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();
        ASSERT_TRUE(device.startsWith(QLatin1String("/dev/pts/"))) << device.toStdString();
        ports = std::make_unique<TermiosSerialPorts>(PortSlots({}, {{0, device}}));
        line = std::make_unique<SerialLine>(*ports, clock);
        settings.line =
            LineSettings::fromModeText(QStringLiteral("baud=9600 parity=N data=8 stop=1"));
        settings.line.adjustForTester();
        settings.inputQueueSize = settings.outputQueueSize = SerialLine::kQueueSize;
    }
    void TearDown() override {
        sim.kill();
        sim.waitForFinished(5000);
    }
    // The bytes ztd-sim logged, "<- 65" for one it received, "-> 13" for one it sent.
    QStringList logged(int count) {
        QStringList bytes;
        while (bytes.size() < count && (sim.canReadLine() || sim.waitForReadyRead(3000)))
            while (sim.canReadLine())
                bytes << QString::fromLatin1(sim.readLine()).trimmed().section(QLatin1Char(' '), 1);
        return bytes;
    }

    QProcess sim;
    RealClock clock;
    ReportSession state;
    TesterState testerState;
    PortSettings settings;
    ScriptedPrompter prompter;
    RecordingNotices notices;
    std::unique_ptr<TermiosSerialPorts> ports;
    std::unique_ptr<SerialLine> line;
};

TEST_F(PtyConsoleTest, ConnectsAndEndsCleanly) {
    startSim({"--status", "0x13"});
    TForm3 form(state, testerState.connection, *line, settings, prompter, notices);
    form.ButtonBeginnFernClick();
    EXPECT_TRUE(notices.shown.empty());
    EXPECT_EQ(form.findChild<QLabel*>("Label1")->text(),
              QStringLiteral("SW-Version des Testers: 4.0"));
    EXPECT_EQ(form.findChild<QStatusBar*>("StatusBar1")->currentMessage(),
              QStringLiteral("eingestellte Schutzklasse: 1e"));
    form.ButtonEndeFernClick();
    EXPECT_FALSE(form.portOpen());
    EXPECT_EQ(logged(5), (QStringList{"<- 65", "<- 66", "<- 0A", "-> 13", "<- 65"}));
}

TEST_F(PtyConsoleTest, AutoRunToTheVerdict) {
    startSim({});
    TForm3 form(state, testerState.connection, *line, settings, prompter, notices);
    form.ButtonBeginnFernClick();
    form.Button0701Click();
    form.findChild<QPushButton*>("ButtonAutoMess")->click();
    EXPECT_EQ(form.findChild<QLabel*>("LabelErgebnis")->text(), QStringLiteral("Prüfung i. O.   "));
    EXPECT_EQ(state.report.values, (std::array<QString, 3>{"  0.12", "  25.0", "  0.21"}));
    form.ButtonWeiterAClick();
    EXPECT_FALSE(form.portOpen());
    EXPECT_TRUE(notices.shown.empty());
    EXPECT_TRUE(form.run().resultsAvailable());
}

TEST_F(PtyConsoleTest, SimulatorSendingGarbageIsNoTester) {
    startSim({"--fault", "garbage=55AA55AA"});
    TForm3 form(state, testerState.connection, *line, settings, prompter, notices);
    form.ButtonBeginnFernClick();
    EXPECT_EQ(notices.shown, std::vector<Notice>{Notice::TransferError});
    EXPECT_FALSE(form.portOpen());
    EXPECT_EQ(state.report.protectionClass, 0);
    EXPECT_EQ(logged(8), (QStringList{"<- 65", "<- 66", "<- 0A", "-> 55", "-> AA", "-> 55", "-> AA",
                                      "<- 65"}));
}

TEST_F(PtyConsoleTest, SimulatorThatRefusesEveryVersion) {
    startSim({"--versions", "none"});
    SerialHandle handle = line->open(0, settings.line, 2048, 2048);
    ASSERT_NE(handle, nullptr);
    for (int byte : {0x65, 0x66, 0x0A})
        ASSERT_EQ(line->sendByte(byte, SerialLine::kSendTimeout, handle.get()), LineStatus::Ok);
    ASSERT_EQ(line->receiveByte(SerialLine::kReplyTimeout, handle.get()), LineStatus::Ok);
    EXPECT_EQ(line->currentByte(), 'f');
    EXPECT_TRUE(line->close(handle));
}

} // namespace
