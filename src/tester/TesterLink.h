#pragma once

#include "SerialLine.h"

#include <cstdint>

struct PortSettings;

// A byte from the tester, or why none came.
struct Received {
    LineStatus status = LineStatus::Timeout;
    std::uint8_t byte = 0;

    bool ok() const { return status == LineStatus::Ok; }
};

// One user's port to the tester, with the timeouts the remote control uses:
// a byte is sent within 5 s of CTS, a reply awaited for a given time.
class TesterLink {
public:
    static constexpr int kCorrectionTimeout = 20000;

    explicit TesterLink(SerialLine& line)
        : line_(line) {}

    bool isOpen() const { return handle_ != nullptr; }
    // False when the port cannot be opened; openProblem() may tell why.
    bool open(const PortSettings& settings);
    QString openProblem(const PortSettings& settings) const;
    // False when the system refuses; the port then stays open.
    bool close();

    LineStatus send(std::uint8_t byte);
    Received receive(int timeoutMs);
    // Swallows what the tester still sends and forgets the rest of the chunk.
    void flush();
    // The next byte of the current chunk or whatever waits on the line, without waiting.
    Received poll();

    SerialLine& line() { return line_; }

private:
    SerialLine& line_;
    SerialHandle handle_;
};
