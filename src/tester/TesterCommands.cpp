#include "TesterCommands.h"

#include "Clock.h"
#include "MemoryImage.h"
#include "RunMessage.h"
#include "TesterBytes.h"
#include "TesterConnection.h"
#include "TesterLink.h"
#include "report/ReportState.h"
#include "report/Vocabulary.h"

namespace tester_command {

namespace {
// A tester answers an offered version with a single byte. At 9600 baud any
// byte sent along with it arrives within a few milliseconds.
constexpr int kQuietAfterReply = 50;
// How far past the announced length the end mark of the memory may come.
constexpr qsizetype kEndMarkSlack = 2048;

// A tester that does not take a byte would not take the 'e' at the end either.
LineStatus send(TesterLink& link, TesterConnection& connection, std::uint8_t byte) {
    const LineStatus status = link.send(byte);
    if (status != LineStatus::Ok)
        connection.noResponse = 1;
    return status;
}

// A refused offer leaves the tester waiting; it is reset before the next one.
LineStatus restartOffer(TesterLink& link, TesterConnection& connection) {
    link.send(tester_byte::kEnd);
    link.flush();
    return send(link, connection, tester_byte::kBegin);
}

HandshakeResult fail(HandshakeResult result, TesterConnection& connection) {
    connection.ProtocolVersion = 0;
    return result;
}
} // namespace

HandshakeResult connect(TesterLink& link, TesterConnection& connection, ReportState& report) {
    report.protectionClass = 0;
    // A tester that once did not respond may well respond now.
    connection.noResponse = 0;
    if (restartOffer(link, connection) != LineStatus::Ok)
        return fail(HandshakeResult::NoResponse, connection);
    int version = tester_byte::kHighestVersion;
    while (version != 0) {
        if (send(link, connection, static_cast<std::uint8_t>(version)) != LineStatus::Ok)
            return fail(HandshakeResult::NoResponse, connection);
        const Received reply = link.receive(SerialLine::kReplyTimeout);
        if (!reply.ok())
            return fail(HandshakeResult::NoReply, connection);
        // Whatever sends more is no tester, even if its first byte looks like a status.
        if (link.receive(kQuietAfterReply).ok())
            return fail(HandshakeResult::Garbled, connection);
        if (reply.byte != tester_byte::kBegin) {
            connection.TesterStatus = reply.byte;
            report.protectionClass = (reply.byte & tester_status::kClass) + 1;
            break;
        }
        if (restartOffer(link, connection) != LineStatus::Ok)
            return fail(HandshakeResult::NoResponse, connection);
        --version;
    }
    connection.ProtocolVersion = version;
    if (version == 0)
        return HandshakeResult::AllRefused;
    decodeTesterStatus(version, connection.TesterStatus, connection, report);
    adjustStepNames(version, connection);
    return HandshakeResult::Connected;
}

LineStatus pressKey(TesterLink& link, TesterConnection& connection, std::uint8_t key) {
    return send(link, connection, key);
}

LineStatus zeroPointCorrection(TesterLink& link, TesterConnection& connection) {
    if (const LineStatus sent = send(link, connection, tester_byte::kCorrection);
        sent != LineStatus::Ok)
        return sent;
    const Received reply = link.receive(TesterLink::kCorrectionTimeout);
    if (!reply.ok())
        return reply.status;
    return reply.byte == tester_byte::kCorrectionDone ? LineStatus::Ok : LineStatus::ProtocolError;
}

RunMessageBytes receiveRunMessage(TesterLink& link, int codeTimeoutMs, int valueCount) {
    RunMessageBytes message;
    const Received code = link.receive(codeTimeoutMs);
    if (!code.ok())
        return message;
    message.bytes.append(static_cast<char>(code.byte));
    const int payload = runPayloadLength(code.byte, valueCount);
    for (int i = 0; i < payload; ++i) {
        const Received byte = link.receive(SerialLine::kSendTimeout);
        if (!byte.ok()) {
            message.status = RunMessageBytes::Status::PayloadMissing;
            return message;
        }
        message.bytes.append(static_cast<char>(byte.byte));
    }
    message.status = RunMessageBytes::Status::Complete;
    return message;
}

LineStatus endRemoteControl(TesterLink& link, TesterConnection& connection) {
    link.line().clock().wait(SerialLine::kSendPause);
    if (connection.noResponse)
        return LineStatus::Ok;
    return send(link, connection, tester_byte::kEnd);
}

VersionResult queryVersion(TesterLink& link, TesterConnection& connection, ReportState& report) {
    SerialLine::Exchange exchange(link.line());
    if (link.send(tester_byte::kEnd) != LineStatus::Ok)
        return VersionResult::NotAttached;
    link.receive(SerialLine::kFlushTimeout);
    if (link.send(tester_byte::kBegin) != LineStatus::Ok ||
        link.send(tester_byte::kVersionQuery) != LineStatus::Ok)
        return VersionResult::NotAttached;
    const Received version = link.receive(SerialLine::kReplyTimeout);
    if (!version.ok())
        return VersionResult::NotAttached;
    if (version.byte != tester_byte::kBegin) {
        const Received status = link.receive(SerialLine::kReplyTimeout);
        if (!status.ok())
            return VersionResult::NoStatus;
        if (status.byte & tester_status::kVersionValid) {
            report.diff = (status.byte & tester_status::kDifferential) ? 1 : 0;
            connection.ProtocolVersion = version.byte & tester_status::kVersionBits;
        }
    }
    link.receive(SerialLine::kFlushTimeout);
    if (link.send(tester_byte::kEnd) != LineStatus::Ok)
        return VersionResult::NotAttached;
    return VersionResult::Answered;
}

ReadResult readMemoryImage(TesterLink& link, QByteArray& image,
                           const std::function<void(qsizetype, qsizetype)>& progress) {
    SerialLine::Exchange exchange(link.line());
    SerialLine& line = link.line();
    line.discardChunk();
    link.receive(SerialLine::kFlushTimeout);
    line.discardChunk();
    if (link.send(tester_byte::kSendMemory) != LineStatus::Ok)
        return ReadResult::NotReady;
    line.clock().wait(SerialLine::kSendPause);
    image.clear();
    while (true) {
        line.discardChunk();
        if (!link.receive(SerialLine::kReplyTimeout).ok())
            return ReadResult::ReadError;
        image += line.lastChunk();
        const auto count = memory_image::entryCount(image);
        const qsizetype expected = count ? memory_image::expectedLength(*count) : 0;
        if (progress)
            progress(image.size(), expected);
        if (memory_image::isComplete(image))
            return ReadResult::Complete;
        if (count && image.size() > expected + kEndMarkSlack)
            return ReadResult::ReadError;
    }
}

} // namespace tester_command

void decodeTesterStatus(int version, std::uint8_t status, TesterConnection& connection,
                        ReportState& report) {
    if (version >= 9)
        report.oldNorm = 0;
    if (version >= 5) {
        report.diff = (status & tester_status::kDifferential) ? 1 : 0;
        connection.classKeyMode = (status & tester_status::kClassKey) ? 1 : 0;
        connection.frenchDisplay = (status & tester_status::kFrench) ? 1 : 0;
    }
    if (version >= 6)
        connection.lightFlag = (status & tester_status::kLight) ? 1 : 0;
    // Release 3 has no settings menu whatever its status says.
    if (version == 3)
        connection.classKeyMode = 1;
}

void adjustStepNames(int version, TesterConnection& connection) {
    auto& names = connection.stepNames;
    names[4] = QStringLiteral("Schutzleiterwiderstand");
    names[6] = version <= 6 ? QStringLiteral("Ersatzableitstrom     ")
                            : QStringLiteral("Isolationswiderstand  ");
    // Set in full, so a tester connected earlier in the run leaves no trace.
    names[7] = version <= 7 ? QStringLiteral("Schutzleiterstrom     ")
                            : QStringLiteral("Ersatzableitstrom     ");
}

namespace connection_text {

std::optional<QString> softwareLabel(int version) {
    if (version >= 1 && version <= 3)
        return QStringLiteral("SW-Version des Testers: 3.1");
    if (version == 9)
        return QStringLiteral("SW-Version des Testers: 3.9");
    if (version == 10)
        return QStringLiteral("SW-Version des Testers: 4.0");
    return std::nullopt;
}

bool versionUsable(int version) {
    return version != 7 && version != 8;
}

QString classStatusLine(int protectionClass) {
    return QStringLiteral("eingestellte Schutzklasse: ") +
           vocabulary::classText(protectionClass).value_or(QString());
}

} // namespace connection_text
