#include "TesterModel.h"
#include "WithoutWriteRights.h"
#include "tester/Clock.h"
#include "tester/PortSlots.h"
#include "tester/SerialLine.h"
#include "tester/TermiosSerial.h"

#include <QProcess>
#include <QTemporaryFile>

#include <gtest/gtest.h>

namespace {

// The real serial backend against ztd-sim over a pseudo-terminal.
class PtyLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim.setProgram(QStringLiteral(ZTD_SIM_PATH));
        sim.setArguments({"--status", "0x93", "--entries", "3", "--chunk", "40"});
        sim.start();
        ASSERT_TRUE(sim.waitForStarted(5000));
        ASSERT_TRUE(sim.waitForReadyRead(5000));
        device = QString::fromLocal8Bit(sim.readLine()).trimmed();
        ASSERT_TRUE(device.startsWith(QLatin1String("/dev/pts/"))) << device.toStdString();
        ports = std::make_unique<TermiosSerialPorts>(PortSlots({}, {{0, device}}));
        line = std::make_unique<SerialLine>(*ports, clock);
    }
    void TearDown() override {
        sim.kill();
        sim.waitForFinished(5000);
    }
    SerialHandle open() {
        LineSettings settings =
            LineSettings::fromModeText(QStringLiteral("baud=9600 parity=N data=8 stop=1"));
        settings.adjustForTester();
        return line->open(0, settings, 2048, 2048);
    }
    // ztd-sim's log lines, once the expected number has come.
    QStringList logLines(int count) {
        QStringList lines;
        while (lines.size() < count && sim.waitForReadyRead(3000))
            while (sim.canReadLine())
                lines << QString::fromLatin1(sim.readLine()).trimmed();
        return lines;
    }

    QProcess sim;
    QString device;
    RealClock clock;
    std::unique_ptr<TermiosSerialPorts> ports;
    std::unique_ptr<SerialLine> line;
};

TEST_F(PtyLineTest, BytesPassBothWays) {
    EXPECT_TRUE(line->portExists(0));
    EXPECT_FALSE(line->portExists(1));
    SerialHandle handle = open();
    ASSERT_NE(handle, nullptr);
    // Not shared: a second open of the same port is refused.
    EXPECT_EQ(open(), nullptr);

    for (int byte : {0x65, 0x66, 0x0A})
        ASSERT_EQ(line->sendByte(byte, SerialLine::kSendTimeout, handle.get()), LineStatus::Ok);
    ASSERT_EQ(line->receiveByte(SerialLine::kReplyTimeout, handle.get()), LineStatus::Ok);
    EXPECT_EQ(line->currentByte(), 0x93);

    ASSERT_EQ(line->sendByte('e', SerialLine::kSendTimeout, handle.get()), LineStatus::Ok);
    ASSERT_EQ(line->sendByte(0x08, SerialLine::kSendTimeout, handle.get()), LineStatus::Ok);
    QByteArray image;
    while (image.size() < 2 + 3 * 32 + 1) {
        line->discardChunk();
        ASSERT_EQ(line->receiveByte(SerialLine::kReplyTimeout, handle.get()), LineStatus::Ok);
        image += line->lastChunk();
    }
    EXPECT_EQ(image, QByteArray("\x00\x04", 2) + sampleMemoryEntries(3) + QByteArray("\x04"));

    // Bytes that a terminal would take as flow control or line end pass unchanged.
    for (int byte : {0x00, 0x11, 0x13, 0xFF})
        ASSERT_TRUE(handle->writeByte(byte));
    QStringList received;
    for (const QString& entry : logLines(2 + 3 + 2 + 101 + 4))
        if (entry.contains(QLatin1String(" <- ")))
            received << entry.section(QLatin1Char(' '), 1);
    EXPECT_EQ(received, (QStringList{"<- 65", "<- 66", "<- 0A", "<- 65", "<- 08", "<- 00", "<- 11",
                                     "<- 13", "<- FF"}));
    EXPECT_TRUE(line->close(handle));
}

} // namespace

TEST(TermiosSerialPorts, OnlyTerminalsOpen) {
    QTemporaryFile notATerminal;
    ASSERT_TRUE(notATerminal.open());
    TermiosSerialPorts ports(PortSlots({}, {{0, notATerminal.fileName()}, {1, "/dev/nicht-da"}}));
    EXPECT_TRUE(ports.exists(0));
    EXPECT_EQ(ports.open(0, LineSettings{}, 2048, 2048), nullptr);
    EXPECT_FALSE(ports.exists(1));
    EXPECT_EQ(ports.open(1, LineSettings{}, 2048, 2048), nullptr);
    EXPECT_FALSE(ports.exists(2));
    EXPECT_EQ(ports.deviceOf(1), QStringLiteral("/dev/nicht-da"));
}

TEST(TermiosSerialPorts, APortRefusedForLackOfPermissionTellsTheRemedy) {
    WithoutWriteRights rights;
    if (!rights.usable())
        GTEST_SKIP() << "no user without rights to open files as";
    QTemporaryFile device;
    ASSERT_TRUE(device.open());
    ASSERT_TRUE(device.setPermissions(QFileDevice::Permissions{}));
    TermiosSerialPorts ports(PortSlots({}, {{0, device.fileName()}}));
    rights.resume();
    EXPECT_EQ(ports.open(0, LineSettings{}, 2048, 2048), nullptr);
    rights.suspend();
    EXPECT_EQ(ports.openProblem(0),
              QStringLiteral("Keine Berechtigung für die Schnittstelle \"%1\". Nehmen Sie Ihr "
                             "Benutzerkonto in die Gruppe \"dialout\" auf (sudo usermod -aG "
                             "dialout BENUTZERNAME) und melden Sie sich danach ab und wieder an.")
                  .arg(device.fileName()));
    EXPECT_EQ(ports.openProblem(1), QString());

    // Refused for another reason (not a terminal), the remedy is not told.
    ASSERT_TRUE(device.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_EQ(ports.open(0, LineSettings{}, 2048, 2048), nullptr);
    EXPECT_EQ(ports.openProblem(0), QString());
}
