#pragma once

#include "LineStatus.h"
#include "SerialDevice.h"

#include <QByteArray>

#include <array>
#include <cstdint>
#include <memory>

class Clock;

using SerialHandle = std::unique_ptr<SerialDevice>;

// The RS-232 line to the tester: opening and closing the port, and the two
// primitives the whole protocol is built on. Sending waits a fixed pause and
// then for CTS; receiving delivers the bytes of the last chunk read from the
// port one at a time before it looks at the port again. The receive state is
// shared by every user of the line, only one of which has the port open.
class SerialLine {
public:
    static constexpr int kSendPause = 500;
    static constexpr int kSendTimeout = 5000;
    static constexpr int kReplyTimeout = 2 * kSendTimeout;
    static constexpr int kFlushTimeout = 500;
    static constexpr int kQueueSize = 2048;

    struct QueueStatus {
        int inputWaiting = 0;
        int outputWaiting = 0;
    };

    // Marks an exchange in progress for as long as it lives; timers that poll
    // the line check busy() and keep out.
    class Exchange {
    public:
        explicit Exchange(SerialLine& line)
            : line_(line) {
            ++line_.exchanges_;
        }
        ~Exchange() { --line_.exchanges_; }
        Exchange(const Exchange&) = delete;
        Exchange& operator=(const Exchange&) = delete;

    private:
        SerialLine& line_;
    };

    SerialLine(SerialPorts& ports, Clock& clock);

    bool portExists(int index) const;
    SerialHandle open(int index, const LineSettings& settings, int inputQueueSize,
                      int outputQueueSize);
    // False when the system refuses; the handle then stays as it was.
    bool close(SerialHandle& handle);
    QueueStatus queueStatus(SerialDevice* handle);
    // Timeout when CTS stayed off; IoError when the port is closed or every
    // write was refused.
    LineStatus sendByte(std::uint8_t byte, int timeoutMs, SerialDevice* handle);
    // On Ok the received byte is currentByte().
    LineStatus receiveByte(int timeoutMs, SerialDevice* handle);
    void discardChunk();

    std::uint8_t currentByte() const { return current_; }
    // Every byte of the chunk the last port read delivered.
    QByteArray lastChunk() const;
    // Bytes of the last chunk not yet delivered, plus one.
    int chunkCount() const { return chunkCount_; }
    bool busy() const { return exchanges_ > 0; }
    Clock& clock() { return clock_; }
    SerialPorts& ports() { return ports_; }

private:
    // How long one pass of a polling loop waits before it looks again.
    static constexpr int kPollStep = 1;

    SerialPorts& ports_;
    Clock& clock_;
    std::array<std::uint8_t, kQueueSize + 2> chunk_{};
    int chunkCount_ = 1;
    int chunkPosition_ = 1;
    int bytesRead_ = 0;
    std::uint8_t current_ = 0;
    int exchanges_ = 0;
};
