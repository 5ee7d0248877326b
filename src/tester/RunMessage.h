#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The messages the tester streams during a measurement run: a code byte and
// a payload of fixed length. Decoding needs the bytes only; how many values a
// result message carries follows from the test and is passed in.
namespace run_message_code {
inline constexpr std::uint8_t kReversalNotice = 'Y';
inline constexpr std::uint8_t kEndWithResults = 'e';
inline constexpr std::uint8_t kLimit = 'g';
inline constexpr std::uint8_t kStep = 'i';
inline constexpr std::uint8_t kReading = 'm';
inline constexpr std::uint8_t kResult = 'n';
inline constexpr std::uint8_t kStop = 's';
inline constexpr std::uint8_t kOverflowOn = 'u';
inline constexpr std::uint8_t kOverflowOff = 'v';
inline constexpr std::uint8_t kMainsNotice = 'y';
inline constexpr std::uint8_t kFaultSearch = 'z';
inline constexpr std::uint8_t kAbort = 0xFF;
inline constexpr std::uint8_t kNoFault = '!';

inline constexpr int kLimitLength = 7;
inline constexpr int kReadingValueLength = 5;
inline constexpr int kUnitLength = 2;
inline constexpr int kResultNameLength = 6;
inline constexpr int kResultValueLength = 6;
inline constexpr int kResultValueBytes = kResultNameLength + kResultValueLength + kUnitLength;
inline constexpr int kVerdictLength = 16;
} // namespace run_message_code

struct RunMessage {
    enum class Kind {
        KeyAfterResult, // 0x01..0x03: a key at the tester while the verdict is shown
        ReversalNotice,
        EndWithResults,
        Limit,
        Step,
        Reading,
        Result,
        Stop,
        OverflowOn,
        OverflowOff,
        MainsNotice,
        FaultSearch,
        Abort, // the tester ended remote control
        Unknown,
    };
    struct MeasuredValue {
        QByteArray name;  // 6 bytes
        QByteArray value; // 6 bytes
        QByteArray unit;  // 2 bytes
    };

    Kind kind = Kind::Unknown;
    int step = 0;                // Step: 0..9
    QByteArray text;             // Limit: 7 bytes; Reading: 5 bytes; Result: 16 bytes of verdict
    QByteArray unit;             // Reading: 2 bytes
    std::uint8_t indication = 0; // FaultSearch
    std::vector<MeasuredValue> values; // Result
};

// How many values a result message carries for this test: 1 to 3.
int resultValueCount(int protectionClass, int niso);
// Payload bytes after this code byte; 0 for codes without payload and unknown codes.
int runPayloadLength(std::uint8_t code, int valueCount);
// One whole message, code byte first. Nothing when the bytes are fewer than
// the code needs; bytes beyond it are not looked at.
std::optional<RunMessage> decodeRunMessage(QByteArrayView bytes, int valueCount);
