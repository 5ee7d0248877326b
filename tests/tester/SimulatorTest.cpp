#include "FakeClock.h"
#include "SimulatedLine.h"
#include "tester/SerialLine.h"

#include <gtest/gtest.h>

namespace {

// The program's side of a line to the simulated tester, in virtual time.
class SimulatorTest : public ::testing::Test {
protected:
    void connect(TesterConfig config = {}) {
        tester = std::make_unique<SimulatedLine>(std::move(config), clock);
        line = std::make_unique<SerialLine>(tester->ports(), clock);
        handle = line->open(0, LineSettings{}, 2048, 2048);
        ASSERT_NE(handle, nullptr);
    }
    bool send(std::uint8_t byte) {
        return line->sendByte(byte, SerialLine::kSendTimeout, handle.get()) == LineStatus::Ok;
    }
    // Sends the bytes and returns what came back within the reply timeout of the last.
    QByteArray exchange(const QByteArray& bytes, int timeoutMs = SerialLine::kReplyTimeout) {
        line->discardChunk();
        for (char byte : bytes)
            EXPECT_TRUE(send(static_cast<std::uint8_t>(byte)));
        return receiveChunk(timeoutMs);
    }
    QByteArray receiveChunk(int timeoutMs = SerialLine::kReplyTimeout) {
        line->discardChunk();
        return line->receiveByte(timeoutMs, handle.get()) == LineStatus::Ok ? line->lastChunk()
                                                                            : QByteArray();
    }
    QByteArray handshake(int version) { return exchange(QByteArray("ef") + char(version)); }
    TesterModel& model() { return tester->model(); }

    FakeClock clock;
    std::unique_ptr<SimulatedLine> tester;
    std::unique_ptr<SerialLine> line;
    SerialHandle handle;
};

TEST_F(SimulatorTest, HandshakeAcceptsItsVersionsOnly) {
    struct Case {
        std::set<int> accepted;
        int offered;
        QByteArray reply;
    };
    const Case cases[] = {
        {{10}, 10, "\x83"}, {{9}, 10, "f"}, {{9}, 9, "\x83"}, {{}, 1, "f"}, {{3, 5}, 5, "\x83"},
    };
    for (const Case& c : cases) {
        TesterConfig config;
        config.acceptedVersions = c.accepted;
        config.statusByte = 0x83;
        connect(config);
        EXPECT_EQ(handshake(c.offered), c.reply) << c.offered;
        const bool accepted = c.reply != "f";
        EXPECT_EQ(model().mode(), accepted ? TesterModel::Mode::Idle : TesterModel::Mode::Offering);
        EXPECT_EQ(model().version(), accepted ? c.offered : 0);
    }
}

TEST_F(SimulatorTest, VersionQueryAnswersVersionAndStatusInOneChunk) {
    TesterConfig config;
    config.acceptedVersions = {9, 10};
    config.statusByte = 0x93;
    connect(config);
    EXPECT_EQ(exchange("efv"), QByteArray("\x0A\x93"));
    config.acceptedVersions.clear();
    connect(config);
    EXPECT_EQ(exchange("efv"), QByteArray("f"));
}

TEST_F(SimulatorTest, ProgramKeysAreNotEchoedTesterKeysAreReported) {
    connect();
    handshake(10);
    EXPECT_EQ(exchange("\x01", SerialLine::kFlushTimeout), QByteArray());
    EXPECT_EQ(model().mode(), TesterModel::Mode::StartChoice);
    EXPECT_EQ(model().testKind(), 1);

    connect();
    handshake(10);
    tester->pressKey(0x04);
    EXPECT_EQ(receiveChunk(), QByteArray("\x04"));
    EXPECT_EQ(model().mode(), TesterModel::Mode::Menu);
}

TEST_F(SimulatorTest, MenuCursorWrapsAndSelects) {
    struct Case {
        int version;
        QByteArray keys;
        int cursor;
    };
    const Case cases[] = {
        {8, "\x04\x01", 4}, // back from Licht to Zurück
        {8, "\x04\x01\x02\x02", 2},
        {5, "\x04\x01", 3}, // three items below version 6
        {10, "\x04\x02\x02\x02\x02", 1},
    };
    for (const Case& c : cases) {
        TesterConfig config;
        config.acceptedVersions = {c.version};
        connect(config);
        handshake(c.version);
        exchange(c.keys, 0);
        EXPECT_EQ(model().mode(), TesterModel::Mode::Menu) << c.version;
        EXPECT_EQ(model().menuCursor(), c.cursor) << c.version << " " << c.keys.toHex().data();
    }
}

TEST_F(SimulatorTest, MenuItemsChangeLightClassAndLeave) {
    TesterConfig config;
    config.statusByte = 0x12; // class 3, light off
    connect(config);
    handshake(10);
    exchange("\x04\x04", 0); // Licht
    EXPECT_TRUE(model().lightOn());
    exchange("\x02\x04", 0); // Schutzklasse: 3 → 1e
    EXPECT_EQ(model().protectionClass(), 4);
    exchange("\x04", 0); // 1e → 1
    EXPECT_EQ(model().protectionClass(), 1);
    exchange("\x02\x02\x04", 0); // Zurück
    EXPECT_EQ(model().mode(), TesterModel::Mode::Idle);
}

TEST_F(SimulatorTest, ClassKeyInsteadOfMenu) {
    struct Case {
        int version;
        std::uint8_t status;
    };
    for (const Case c : {Case{3, 0x10}, Case{10, 0x50}}) {
        TesterConfig config;
        config.acceptedVersions = {c.version};
        config.statusByte = c.status;
        connect(config);
        handshake(c.version);
        exchange("\x04", 0);
        EXPECT_EQ(model().mode(), TesterModel::Mode::Idle);
        EXPECT_EQ(model().protectionClass(), 2);
    }
}

TEST_F(SimulatorTest, ZeroPointCorrectionAnswersAfterItsDelay) {
    TesterConfig config;
    config.correctionDelayMs = 3000;
    connect(config);
    handshake(10);
    const std::int64_t sent = clock.now() + SerialLine::kSendPause;
    EXPECT_EQ(exchange("\x05", 20000), QByteArray("r"));
    EXPECT_GE(clock.now(), sent + 3000);

    config.correctionReply = 'x';
    connect(config);
    handshake(10);
    EXPECT_EQ(exchange("\x05", 20000), QByteArray("x"));
}

TEST_F(SimulatorTest, InsulationChoiceByVersionAndClass) {
    using Mode = TesterModel::Mode;
    struct Case {
        int version;
        std::uint8_t status;
        QByteArray kind;
        Mode mode;
    };
    const Case cases[] = {
        {10, 0x10, "\x01", Mode::StartChoice},
        {9, 0x10, "\x01", Mode::InsulationChoice},
        {10, 0x10, "\x02", Mode::InsulationChoice},
        {10, 0x12, "\x02", Mode::StartChoice}, // class 3
        {6, 0x10, "\x02", Mode::StartChoice},
    };
    for (const Case& c : cases) {
        TesterConfig config;
        config.acceptedVersions = {c.version};
        config.statusByte = c.status;
        connect(config);
        handshake(c.version);
        exchange(c.kind, 0);
        EXPECT_EQ(model().mode(), c.mode) << c.version << " " << int(c.kind[0]);
    }
}

TEST_F(SimulatorTest, InsulationChosenAtTheTesterIsReported) {
    connect();
    handshake(10);
    exchange("\x02", 0);
    tester->pressKey('N');
    EXPECT_EQ(receiveChunk(), QByteArray("N"));
    EXPECT_TRUE(model().niso());
    EXPECT_EQ(model().mode(), TesterModel::Mode::StartChoice);
}

TEST_F(SimulatorTest, HandRunWaitsForKeysAutoRunDoesNot) {
    using namespace run_message;
    TesterConfig config;
    const QByteArray ohm("\x20\xF4", 2);
    config.handRun = config.autoRun = {
        {step(0), 100, RunItem::Wait::None},
        {reading(" 0.12", ohm), 100, RunItem::Wait::KeyInHand},
        {step(3), 100, RunItem::Wait::None},
        {result({{"R-SL  ", "  0.12", ohm}}, "Pr\xF5"
                                             "fung i. O.   "),
         100, RunItem::Wait::Key},
    };
    connect(config);
    handshake(10);
    exchange("\x01", 0);
    send(0x01); // Hand
    clock.wait(1000);
    EXPECT_EQ(receiveChunk(0), step(0) + reading(" 0.12", ohm));
    EXPECT_EQ(receiveChunk(1000), QByteArray());
    send(0x04); // Weiter
    clock.wait(1000);
    const QByteArray rest = receiveChunk(0);
    EXPECT_EQ(rest.size(), 2 + 1 + 14 + 16);
    EXPECT_TRUE(rest.endsWith("Pr\xF5"
                              "fung i. O.   "));
    send(0x01);
    EXPECT_EQ(model().mode(), TesterModel::Mode::Idle);

    connect(config);
    handshake(10);
    exchange("\x01", 0);
    send(0x04); // Auto
    clock.wait(1000);
    EXPECT_EQ(receiveChunk(0).size(), 2 + 8 + 2 + 31);
    EXPECT_FALSE(model().handRun());
}

TEST_F(SimulatorTest, HandReadingStaysLiveAndKeysAfterTheVerdictAreNumbered) {
    using namespace run_message;
    const QByteArray ohm("\x20\xF4", 2);
    connect();
    handshake(10);
    exchange("\x01", 0);
    send(0x01); // Hand
    EXPECT_EQ(model().liveMessage(), reading(" 0.12", ohm));
    send(0x01);
    EXPECT_EQ(model().liveMessage(), reading(" 25.0", "M\xF4"));
    send(0x02);
    send(0x04);
    ASSERT_EQ(model().mode(), TesterModel::Mode::Finished);
    EXPECT_TRUE(model().liveMessage().isEmpty());
    clock.wait(2000);
    receiveChunk(0);
    // The tester's Auto key while the verdict is shown comes as key 3.
    tester->pressKey(0x04);
    EXPECT_EQ(receiveChunk(0), QByteArray("\x03"));
    EXPECT_EQ(model().mode(), TesterModel::Mode::Idle);
}

TEST_F(SimulatorTest, NoticesHoldTheRunUntilAKeyInAutoModeToo) {
    using namespace run_message;
    TesterConfig config;
    config.autoRun = {
        {step(5), 100, RunItem::Wait::None},
        {reversalNotice(), 100, RunItem::Wait::Key},
        {overflow(true), 100, RunItem::Wait::None},
        {overflow(false), 100, RunItem::Wait::KeyInHand},
        {faultSearch('X'), 100, RunItem::Wait::None},
        {mainsNotice(), 100, RunItem::Wait::Key},
        {abortRemote(), 100, RunItem::Wait::None},
    };
    connect(config);
    handshake(10);
    exchange("\x02", 0);
    exchange("\x02\x04", 0); // without insulation test, Auto
    clock.wait(1000);
    EXPECT_EQ(receiveChunk(0), QByteArray("i\x05Y"));
    tester->pressKey(0x04);
    clock.wait(1000);
    EXPECT_EQ(receiveChunk(0), QByteArray("\x04uvzXy"));
    send(0x04);
    clock.wait(1000);
    EXPECT_EQ(receiveChunk(0), QByteArray("\xFF"));
    EXPECT_EQ(model().mode(), TesterModel::Mode::Finished);
    EXPECT_TRUE(model().niso());
}

TEST_F(SimulatorTest, MemoryImageComesInChunksWithCountAndEndMark) {
    TesterConfig config;
    config.memoryEntries = sampleMemoryEntries(2);
    config.memoryChunkSize = 16;
    connect(config);
    QByteArray image = exchange("e\x08");
    int chunks = 1;
    while (!image.contains('\x04') || image.size() < 2 + 64 + 1) {
        const QByteArray chunk = receiveChunk();
        ASSERT_FALSE(chunk.isEmpty());
        EXPECT_LE(chunk.size(), 16);
        image += chunk;
        ++chunks;
    }
    EXPECT_EQ(image, QByteArray("\x00\x03", 2) + config.memoryEntries + QByteArray("\x04"));
    EXPECT_EQ(chunks, 5);
    for (char special : {'\x00', '\x11', '\x13', '\xFF'})
        EXPECT_TRUE(config.memoryEntries.contains(special));
}

TEST_F(SimulatorTest, Faults) {
    TesterConfig config;
    config.ctsNeverOn = true;
    connect(config);
    EXPECT_FALSE(send('e'));

    config = {};
    config.silent = true;
    connect(config);
    EXPECT_EQ(handshake(10), QByteArray());

    config = {};
    config.garbage = QByteArray("\x55\xAA");
    connect(config);
    EXPECT_EQ(handshake(10), QByteArray("\x55\xAA"));

    config = {};
    config.memoryEntries = sampleMemoryEntries(1);
    config.memoryChunkSize = 100;
    config.cutShortBy = 5;
    connect(config);
    EXPECT_EQ(exchange("e\x08"), (QByteArray("\x00\x02", 2) + config.memoryEntries).chopped(4));
}

TEST(RunScript, ParsesMessagesPausesAndWaits) {
    QString error;
    const auto script = parseRunScript(QStringLiteral("# Hand\n"
                                                      "i 00\n"
                                                      "pause 50\n"
                                                      "m \" 0.12\" 20 F4\n"
                                                      "handkey\n"
                                                      "n \"Pr\\xF5fung \\\"ok\\\"\"\n"
                                                      "key\n"),
                                       &error);
    ASSERT_TRUE(script) << error.toStdString();
    ASSERT_EQ(script->size(), 3u);
    EXPECT_EQ((*script)[0].message, QByteArray("i\x00", 2));
    EXPECT_EQ((*script)[0].delayMs, 300);
    EXPECT_EQ((*script)[1].message, QByteArray("m 0.12\x20\xF4"));
    EXPECT_EQ((*script)[1].delayMs, 50);
    EXPECT_EQ((*script)[1].wait, RunItem::Wait::KeyInHand);
    EXPECT_EQ((*script)[2].message, QByteArray("nPr\xF5"
                                               "fung \"ok\""));
    EXPECT_EQ((*script)[2].wait, RunItem::Wait::Key);

    EXPECT_FALSE(parseRunScript(QStringLiteral("i 00\nbogus\n"), &error));
    EXPECT_EQ(error, QStringLiteral("Zeile 2: unbekanntes Zeichen \"bogus\""));
}

} // namespace
