#include "TesterLink.h"

#include "PortSettings.h"

bool TesterLink::open(const PortSettings& settings) {
    handle_ = line_.open(settings.portIndex, settings.line, settings.inputQueueSize,
                         settings.outputQueueSize);
    return isOpen();
}

QString TesterLink::openProblem(const PortSettings& settings) const {
    return line_.ports().openProblem(settings.portIndex);
}

bool TesterLink::close() {
    return line_.close(handle_);
}

LineStatus TesterLink::send(std::uint8_t byte) {
    return line_.sendByte(byte, SerialLine::kSendTimeout, handle_.get());
}

Received TesterLink::receive(int timeoutMs) {
    const LineStatus status = line_.receiveByte(timeoutMs, handle_.get());
    return {status, status == LineStatus::Ok ? line_.currentByte() : std::uint8_t(0)};
}

void TesterLink::flush() {
    receive(SerialLine::kFlushTimeout);
    line_.discardChunk();
}

Received TesterLink::poll() {
    return receive(0);
}
