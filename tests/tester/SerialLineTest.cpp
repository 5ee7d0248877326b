#include "tester/SerialLine.h"
#include "FakeClock.h"
#include "TestSerial.h"
#include "tester/Clock.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace {

class SerialLineTest : public ::testing::Test {
protected:
    SerialLineTest() {
        ports.setPresent(0, true);
        handle = line.open(0, LineSettings{}, 2048, 2048);
    }

    QByteArray receiveAll(int count, int timeoutMs) {
        QByteArray bytes;
        for (int i = 0; i < count; ++i) {
            if (line.receiveByte(timeoutMs, handle.get()) != LineStatus::Ok)
                break;
            bytes.append(static_cast<char>(line.currentByte()));
        }
        return bytes;
    }

    FakeClock clock;
    TestSerialDevice device{clock};
    TestSerialPorts ports{device};
    SerialLine line{ports, clock};
    SerialHandle handle;
};

TEST_F(SerialLineTest, ChunkIsDeliveredByteByByteThenTheLineIsPolledAgain) {
    device.deliver("ABC", 40);
    ASSERT_EQ(line.receiveByte(SerialLine::kReplyTimeout, handle.get()), LineStatus::Ok);
    EXPECT_EQ(line.currentByte(), 'A');
    EXPECT_EQ(line.lastChunk(), QByteArray("ABC"));
    const std::int64_t afterFirst = clock.now();
    EXPECT_GE(afterFirst, 40);

    // Bytes that arrive meanwhile must not mix into the chunk being delivered.
    device.deliverNow("D");
    EXPECT_EQ(receiveAll(2, 0), QByteArray("BC"));
    EXPECT_EQ(clock.now(), afterFirst);
    EXPECT_EQ(line.chunkCount(), 1);

    device.deliver("E", afterFirst + 300);
    ASSERT_EQ(line.receiveByte(SerialLine::kReplyTimeout, handle.get()), LineStatus::Ok);
    EXPECT_EQ(line.currentByte(), 'D');
    EXPECT_EQ(clock.now(), afterFirst);
    ASSERT_EQ(line.receiveByte(SerialLine::kReplyTimeout, handle.get()), LineStatus::Ok);
    EXPECT_EQ(line.currentByte(), 'E');
    EXPECT_GE(clock.now(), afterFirst + 300);
}

TEST_F(SerialLineTest, ChunkHoldsAtMost2048Bytes) {
    device.deliverNow(QByteArray(3000, 'x'));
    ASSERT_EQ(line.receiveByte(0, handle.get()), LineStatus::Ok);
    EXPECT_EQ(line.lastChunk().size(), 2048);
    EXPECT_EQ(line.chunkCount(), 2048);
    EXPECT_EQ(device.bytesWaiting(), 3000 - 2048);
}

TEST_F(SerialLineTest, ReceiveGivesUpAfterItsTimeout) {
    EXPECT_EQ(line.receiveByte(SerialLine::kReplyTimeout, handle.get()), LineStatus::Timeout);
    EXPECT_GT(clock.now(), SerialLine::kReplyTimeout);
    EXPECT_LE(clock.now(), SerialLine::kReplyTimeout + 2);
}

TEST_F(SerialLineTest, FlushReceiveAndDiscardSwallowStrayBytes) {
    device.deliverNow("xyz");
    line.receiveByte(SerialLine::kFlushTimeout, handle.get());
    line.discardChunk();
    device.deliver("r", 1000);
    ASSERT_EQ(line.receiveByte(SerialLine::kReplyTimeout, handle.get()), LineStatus::Ok);
    EXPECT_EQ(line.currentByte(), 'r');
    EXPECT_EQ(line.chunkCount(), 1);

    // With nothing stray the flush costs its whole timeout.
    const std::int64_t start = clock.now();
    EXPECT_EQ(line.receiveByte(SerialLine::kFlushTimeout, handle.get()), LineStatus::Timeout);
    EXPECT_GT(clock.now() - start, SerialLine::kFlushTimeout);
}

TEST_F(SerialLineTest, EveryByteWaitsHalfASecondFirst) {
    ASSERT_EQ(line.sendByte('e', SerialLine::kSendTimeout, handle.get()), LineStatus::Ok);
    ASSERT_EQ(line.sendByte('f', SerialLine::kSendTimeout, handle.get()), LineStatus::Ok);
    ASSERT_EQ(device.sent().size(), 2u);
    EXPECT_EQ(device.sentBytes(), QByteArray("ef"));
    EXPECT_EQ(device.sent()[0].at, 500);
    EXPECT_EQ(device.sent()[1].at, 1000);
}

TEST_F(SerialLineTest, SendWithCtsPermanentlyOffFailsAfterPauseAndTimeout) {
    device.setCtsOnFrom(TestSerialDevice::kNever);
    EXPECT_EQ(line.sendByte('f', SerialLine::kSendTimeout, handle.get()), LineStatus::Timeout);
    EXPECT_TRUE(device.sent().empty());
    EXPECT_GT(clock.now(), 5500);
    EXPECT_LE(clock.now(), 5502);
}

TEST_F(SerialLineTest, RefusedWriteIsNoByteSent) {
    device.setRefuseWrite(true);
    EXPECT_EQ(line.sendByte('f', SerialLine::kSendTimeout, handle.get()), LineStatus::IoError);
    EXPECT_GT(clock.now(), 5500);
}

TEST_F(SerialLineTest, CtsIsTestedInThePassThatDetectsTheTimeout) {
    // The first moment past the timeout still sends; later is too late.
    device.setCtsOnFrom(500 + SerialLine::kSendTimeout + 1);
    EXPECT_EQ(line.sendByte(0x05, SerialLine::kSendTimeout, handle.get()), LineStatus::Ok);
    EXPECT_EQ(device.sentBytes(), QByteArray("\x05"));

    const std::int64_t start = clock.now();
    device.setCtsOnFrom(start + 500 + SerialLine::kSendTimeout + 2);
    EXPECT_EQ(line.sendByte(0x05, SerialLine::kSendTimeout, handle.get()), LineStatus::Timeout);
    EXPECT_EQ(device.sent().size(), 1u);
}

TEST_F(SerialLineTest, CtsComingOnLateSendsThen) {
    device.setCtsOnFrom(2000);
    EXPECT_EQ(line.sendByte(0xFF, SerialLine::kSendTimeout, handle.get()), LineStatus::Ok);
    ASSERT_EQ(device.sent().size(), 1u);
    EXPECT_EQ(device.sent()[0].byte, 0xFF);
    EXPECT_EQ(device.sent()[0].at, 2000);
}

TEST_F(SerialLineTest, LineIsBusyWhileItWaits) {
    std::vector<bool> busyWhileWaiting;
    clock.setObserver([&](std::int64_t) { busyWhileWaiting.push_back(line.busy()); });
    line.sendByte('e', SerialLine::kSendTimeout, handle.get());
    line.receiveByte(SerialLine::kFlushTimeout, handle.get());
    ASSERT_FALSE(busyWhileWaiting.empty());
    EXPECT_EQ(std::count(busyWhileWaiting.begin(), busyWhileWaiting.end(), false), 0);
    EXPECT_FALSE(line.busy());
}

TEST_F(SerialLineTest, OpenAndClose) {
    EXPECT_EQ(ports.lastOpened(), 0);
    EXPECT_EQ(ports.lastInputQueue(), 2048);
    EXPECT_FALSE(line.portExists(1));
    EXPECT_FALSE(line.portExists(-49));
    EXPECT_FALSE(line.portExists(6));
    EXPECT_EQ(line.open(1, LineSettings{}, 2048, 2048), nullptr);
    EXPECT_EQ(line.open(6, LineSettings{}, 2048, 2048), nullptr);

    device.setRefuseClose(true);
    EXPECT_FALSE(line.close(handle));
    EXPECT_NE(handle, nullptr);
    device.setRefuseClose(false);
    EXPECT_TRUE(line.close(handle));
    EXPECT_EQ(handle, nullptr);
    EXPECT_TRUE(device.closed());
}

TEST_F(SerialLineTest, ClosedLineNeitherSendsNorReceives) {
    line.close(handle);
    EXPECT_EQ(line.sendByte('e', SerialLine::kSendTimeout, handle.get()), LineStatus::IoError);
    EXPECT_EQ(line.receiveByte(SerialLine::kFlushTimeout, handle.get()), LineStatus::IoError);
    EXPECT_TRUE(device.sent().empty());
}

} // namespace

// On the real clock, timers tick while a byte waits for its pause, and find
// the line busy, so they keep out of the exchange.
TEST(SerialLineRealClock, TimersTickDuringTheSendPauseAndFindTheLineBusy) {
    RealClock clock;
    TestSerialDevice device(clock);
    TestSerialPorts ports(device);
    ports.setPresent(0, true);
    SerialLine line(ports, clock);
    SerialHandle handle = line.open(0, LineSettings{}, 2048, 2048);
    std::vector<bool> busyAtTick;
    QTimer timer;
    timer.setInterval(50);
    QObject::connect(&timer, &QTimer::timeout, [&] { busyAtTick.push_back(line.busy()); });
    timer.start();
    EXPECT_EQ(line.sendByte('e', SerialLine::kSendTimeout, handle.get()), LineStatus::Ok);
    timer.stop();
    EXPECT_GE(busyAtTick.size(), 3u);
    EXPECT_EQ(std::count(busyAtTick.begin(), busyAtTick.end(), false), 0);
    EXPECT_GE(device.sent().at(0).at, SerialLine::kSendPause);
}
