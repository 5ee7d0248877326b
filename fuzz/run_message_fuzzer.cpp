#include "tester/RunDisplay.h"
#include "tester/RunMessage.h"
#include "tester/TesterConnection.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace {
void check(bool condition) {
    if (!condition)
        std::abort();
}

// Whatever a message holds, the display lines it builds keep their 22 bytes
// and a measured value is six printable characters.
void show(const RunMessage& message, const TesterConnection& connection, int protectionClass) {
    using Kind = RunMessage::Kind;
    switch (message.kind) {
    case Kind::Step: {
        check(message.step >= 0 && message.step <= 9);
        QByteArray line = run_display::stepLine(protectionClass, message.step);
        check(line.size() == run_display::kLineLength);
        run_display::stepNameLine(connection, protectionClass, message.step);
        break;
    }
    case Kind::Limit: {
        check(message.text.size() == run_message_code::kLimitLength);
        QByteArray line = run_display::stepLine(protectionClass, 0);
        run_display::putLimit(line, message.text);
        check(line.size() == run_display::kLineLength);
        break;
    }
    case Kind::Reading:
        check(run_display::readingLine(message.text, message.unit).size() ==
              run_display::kLineLength);
        break;
    case Kind::Result:
        for (const RunMessage::MeasuredValue& value : message.values) {
            const QByteArray line = run_display::resultLine(value.name, value.value, value.unit);
            check(line.size() == run_display::kLineLength);
            const QString measured = run_display::measuredValue(line);
            check(measured.size() == 6);
            for (const QChar c : measured)
                check(c.unicode() >= 0x20 && c.unicode() <= 0x7F);
            check(run_display::lineText(line).size() == run_display::kLineLength);
        }
        check(run_display::verdictText(message.text).size() == run_message_code::kVerdictLength);
        break;
    default:
        break;
    }
}
} // namespace

// The first byte chooses the test (class, insulation, version); the rest is
// read as the tester's stream of run messages, one after the other.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const int protectionClass = data[0] % 5;
    const int niso = (data[0] >> 3) & 1;
    TesterConnection connection;
    connection.ProtocolVersion = (data[0] >> 4) % 11;
    const int valueCount = resultValueCount(protectionClass, niso);
    check(valueCount >= 1 && valueCount <= 3);
    const QByteArray stream(reinterpret_cast<const char*>(data + 1),
                            static_cast<qsizetype>(size - 1));
    qsizetype at = 0;
    while (at < stream.size()) {
        const auto code = static_cast<std::uint8_t>(stream[at]);
        const int length = 1 + runPayloadLength(code, valueCount);
        const auto message = decodeRunMessage(QByteArrayView(stream).sliced(at), valueCount);
        if (!message) {
            check(stream.size() - at < length);
            break;
        }
        if (message->kind == RunMessage::Kind::Result)
            check(static_cast<int>(message->values.size()) == valueCount);
        show(*message, connection, protectionClass);
        at += length;
    }
    return 0;
}
