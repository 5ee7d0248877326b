#pragma once

#include "SerialLine.h"

#include <cstdint>
#include <optional>

struct PortSettings;

// One user's port to the tester, with the timeouts the remote control uses:
// a byte is sent within 5 s of CTS, a reply awaited for a given time.
class TesterLink {
public:
    static constexpr int kCorrectionTimeout = 20000;

    explicit TesterLink(SerialLine& line)
        : line_(line) {}

    bool isOpen() const { return handle_ != nullptr; }
    // False when the port cannot be opened.
    bool open(const PortSettings& settings);
    // False when the system refuses; the port then stays open.
    bool close();

    bool send(std::uint8_t byte);
    std::optional<std::uint8_t> receive(int timeoutMs);
    // Swallows what the tester still sends and forgets the rest of the chunk.
    void flush();
    // The next byte of the current chunk or whatever waits on the line, without waiting.
    std::optional<std::uint8_t> poll();

    SerialLine& line() { return line_; }

private:
    SerialLine& line_;
    SerialHandle handle_;
};
