#pragma once

#include <QByteArray>

#include <functional>

class TesterLink;
struct ReportState;
struct TesterConnection;

// Reading the tester's measurement memory over an open link.
namespace memory_readout {

enum class VersionResult {
    Answered,    // version and status known (or the tester answered 'f': kept as they were)
    NotAttached, // 'e', 'f' or 'v' not taken, or no answer to 'v'
    NoStatus,    // the status byte did not come
};

// Asks the tester for its protocol version and status.
VersionResult queryVersion(TesterLink& link, TesterConnection& connection, ReportState& report);

enum class ReadResult { Complete, NotReady, ReadError };

// Asks for the memory and collects it until every announced entry and the
// end mark have come; progress(received, expected) after each piece. A tester
// that keeps sending beyond that without an end mark is a read error.
ReadResult readImage(TesterLink& link, QByteArray& image,
                     const std::function<void(qsizetype, qsizetype)>& progress);

} // namespace memory_readout
