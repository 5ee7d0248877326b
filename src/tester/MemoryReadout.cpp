#include "MemoryReadout.h"

#include "Clock.h"
#include "MemoryImage.h"
#include "SerialLine.h"
#include "TesterConnection.h"
#include "TesterLink.h"
#include "report/ReportState.h"

namespace memory_readout {

namespace {

constexpr std::uint8_t kVersionQuery = 'v';
constexpr std::uint8_t kSendMemory = 0x08;
// How far past the announced length the end mark may come.
constexpr qsizetype kEndMarkSlack = 2048;

} // namespace

VersionResult queryVersion(TesterLink& link, TesterConnection& connection, ReportState& report) {
    SerialLine::Exchange exchange(link.line());
    if (!link.send('e'))
        return VersionResult::NotAttached;
    link.receive(SerialLine::kFlushTimeout);
    if (!link.send('f') || !link.send(kVersionQuery))
        return VersionResult::NotAttached;
    const auto version = link.receive(SerialLine::kReplyTimeout);
    if (!version)
        return VersionResult::NotAttached;
    if (*version != 'f') {
        const auto status = link.receive(SerialLine::kReplyTimeout);
        if (!status)
            return VersionResult::NoStatus;
        if (*status & 0x10) {
            report.diff = (*status & 0x80) ? 1 : 0;
            connection.ProtocolVersion = *version & 0x0F;
        }
    }
    link.receive(SerialLine::kFlushTimeout);
    if (!link.send('e'))
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
    if (!link.send(kSendMemory))
        return ReadResult::NotReady;
    line.clock().wait(SerialLine::kSendPause);
    image.clear();
    while (true) {
        line.discardChunk();
        if (!link.receive(SerialLine::kReplyTimeout))
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
