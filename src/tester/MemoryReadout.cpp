#include "MemoryReadout.h"

#include "Clock.h"
#include "MemoryImage.h"
#include "SerialLine.h"
#include "TesterBytes.h"
#include "TesterConnection.h"
#include "TesterLink.h"
#include "report/ReportState.h"

namespace memory_readout {

namespace {

// How far past the announced length the end mark may come.
constexpr qsizetype kEndMarkSlack = 2048;

} // namespace

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

ReadResult readImage(TesterLink& link, QByteArray& image,
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

} // namespace memory_readout
