#pragma once

#include "TesterBytes.h"

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The messages the tester streams during a measurement run: a code byte and
// a payload of fixed length. Decoding needs the bytes only; how many values a
// result message carries follows from the test and is passed in.

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
