#include "TesterLink.h"

#include "PortSettings.h"

bool TesterLink::open(const PortSettings& settings) {
    handle_ = line_.open(settings.portIndex, settings.line, settings.inputQueueSize,
                         settings.outputQueueSize);
    return isOpen();
}

bool TesterLink::close() {
    return line_.close(handle_);
}

bool TesterLink::send(std::uint8_t byte) {
    return line_.sendByte(byte, SerialLine::kSendTimeout, handle_.get());
}

std::optional<std::uint8_t> TesterLink::receive(int timeoutMs) {
    if (!line_.receiveByte(timeoutMs, handle_.get()))
        return std::nullopt;
    return line_.currentByte();
}

void TesterLink::flush() {
    receive(SerialLine::kFlushTimeout);
    line_.discardChunk();
}

std::optional<std::uint8_t> TesterLink::poll() {
    return receive(0);
}
