#include "RunMessage.h"

#include <algorithm>

using namespace run_message_code;

namespace {
// A result message carries one to three values, whatever the caller asks for.
int boundedValueCount(int valueCount) {
    return std::clamp(valueCount, 1, 3);
}
} // namespace

int resultValueCount(int protectionClass, int niso) {
    if (protectionClass == 3)
        return 1;
    if (protectionClass == 2)
        return niso ? 1 : 2;
    return niso ? 2 : 3;
}

int runPayloadLength(std::uint8_t code, int valueCount) {
    switch (code) {
    case kLimit:
        return kLimitLength;
    case kStep:
    case kFaultSearch:
        return 1;
    case kReading:
        return kReadingValueLength + kUnitLength;
    case kResult:
        return boundedValueCount(valueCount) * kResultValueBytes + kVerdictLength;
    default:
        return 0;
    }
}

std::optional<RunMessage> decodeRunMessage(QByteArrayView bytes, int valueCount) {
    if (bytes.isEmpty())
        return std::nullopt;
    valueCount = boundedValueCount(valueCount);
    const auto code = static_cast<std::uint8_t>(bytes[0]);
    if (bytes.size() < 1 + runPayloadLength(code, valueCount))
        return std::nullopt;
    const QByteArrayView payload = bytes.sliced(1);
    RunMessage message;
    using Kind = RunMessage::Kind;
    switch (code) {
    case kKey1AfterResult:
    case kKey2AfterResult:
    case kKey3AfterResult:
        message.kind = Kind::KeyAfterResult;
        break;
    case kReversalNotice:
        message.kind = Kind::ReversalNotice;
        break;
    case kEndWithResults:
        message.kind = Kind::EndWithResults;
        break;
    case kLimit:
        message.kind = Kind::Limit;
        message.text = payload.first(kLimitLength).toByteArray();
        break;
    case kStep: {
        const auto step = static_cast<std::uint8_t>(payload[0]);
        if (step == kAbort) {
            message.kind = Kind::Abort;
        } else if (step <= 9) {
            message.kind = Kind::Step;
            message.step = step;
        }
        // Any other step number is garbled and means nothing.
        break;
    }
    case kReading:
        message.kind = Kind::Reading;
        message.text = payload.first(kReadingValueLength).toByteArray();
        message.unit = payload.sliced(kReadingValueLength, kUnitLength).toByteArray();
        break;
    case kResult:
        message.kind = Kind::Result;
        for (int i = 0; i < valueCount; ++i) {
            const QByteArrayView value = payload.sliced(i * kResultValueBytes, kResultValueBytes);
            message.values.push_back(
                {value.first(kResultNameLength).toByteArray(),
                 value.sliced(kResultNameLength, kResultValueLength).toByteArray(),
                 value.sliced(kResultNameLength + kResultValueLength).toByteArray()});
        }
        message.text = payload.sliced(valueCount * kResultValueBytes, kVerdictLength).toByteArray();
        break;
    case kStop:
        message.kind = Kind::Stop;
        break;
    case kOverflowOn:
        message.kind = Kind::OverflowOn;
        break;
    case kOverflowOff:
        message.kind = Kind::OverflowOff;
        break;
    case kMainsNotice:
        message.kind = Kind::MainsNotice;
        break;
    case kFaultSearch:
        message.indication = static_cast<std::uint8_t>(payload[0]);
        message.kind = message.indication == kAbort ? Kind::Abort : Kind::FaultSearch;
        break;
    case kAbort:
        message.kind = Kind::Abort;
        break;
    default:
        break;
    }
    return message;
}
