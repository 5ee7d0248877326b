#include "SerialLine.h"

#include "Clock.h"

#include <algorithm>

SerialLine::SerialLine(SerialPorts& ports, Clock& clock)
    : ports_(ports)
    , clock_(clock) {}

bool SerialLine::portExists(int index) const {
    return index >= 0 && index < kPortCount && ports_.exists(index);
}

SerialHandle SerialLine::open(int index, const LineSettings& settings, int inputQueueSize,
                              int outputQueueSize) {
    if (index < 0 || index >= kPortCount)
        return nullptr;
    return ports_.open(index, settings, inputQueueSize, outputQueueSize);
}

bool SerialLine::close(SerialHandle& handle) {
    if (!handle || !handle->close())
        return false;
    handle.reset();
    return true;
}

SerialLine::QueueStatus SerialLine::queueStatus(SerialDevice* handle) {
    if (!handle)
        return {};
    return {std::max(handle->bytesWaiting(), 0), std::max(handle->bytesToSend(), 0)};
}

LineStatus SerialLine::sendByte(std::uint8_t byte, int timeoutMs, SerialDevice* handle) {
    if (!handle)
        return LineStatus::IoError;
    Exchange exchange(*this);
    clock_.wait(kSendPause);
    const std::int64_t start = clock_.now();
    bool refused = false;
    bool timedOut = false;
    while (!timedOut) {
        timedOut = clock_.now() > start + timeoutMs;
        // CTS is still tested in the pass that detects the timeout.
        // A write the system refuses is tried again, as if CTS were off.
        if (handle->ctsOn()) {
            if (handle->writeByte(byte))
                return LineStatus::Ok;
            refused = true;
        }
        if (!timedOut)
            clock_.wait(kPollStep);
    }
    return refused ? LineStatus::IoError : LineStatus::Timeout;
}

LineStatus SerialLine::receiveByte(int timeoutMs, SerialDevice* handle) {
    if (chunkCount_ > 1) {
        current_ = chunk_[chunkPosition_];
        --chunkCount_;
        chunkPosition_ = chunkCount_ == 1 ? 1 : chunkPosition_ + 1;
        return LineStatus::Ok;
    }
    if (!handle)
        return LineStatus::IoError;
    Exchange exchange(*this);
    const std::int64_t start = clock_.now();
    bool received = false;
    bool timedOut = false;
    while (!received && !timedOut) {
        const int waiting = queueStatus(handle).inputWaiting;
        if (waiting > 0) {
            const int count = handle->read(chunk_.data(), std::min(waiting, kQueueSize));
            // A read that delivers nothing is no byte; keep polling.
            if (count > 0) {
                bytesRead_ = count;
                chunkCount_ = count;
                chunk_[count] = 0;
                current_ = chunk_[0];
                received = true;
            }
        }
        timedOut = clock_.now() > start + timeoutMs;
        if (!received && !timedOut)
            clock_.wait(kPollStep);
    }
    return received ? LineStatus::Ok : LineStatus::Timeout;
}

void SerialLine::discardChunk() {
    chunkCount_ = 1;
    chunkPosition_ = 1;
}

QByteArray SerialLine::lastChunk() const {
    return QByteArray(reinterpret_cast<const char*>(chunk_.data()), bytesRead_);
}
