#include "report/ProtocolFile.h"
#include "report/ReportState.h"

#include <QByteArray>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

// Any image are read without touching memory outside the image, and every
// record read back from them builds an image in which each text keeps a zero byte.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Short inputs are padded with zero bytes, so the fuzzer reaches every field early.
    QByteArray image(reinterpret_cast<const char*>(data),
                     static_cast<qsizetype>(std::min<size_t>(size, protocol_file::kImageSize)));
    image.resize(protocol_file::kImageSize, '\0');

    Protokoll record;
    ReportState state;
    protocol_file::readForOpen(image, record, state);
    protocol_file::readTemplate(image, record);
    for (const QString& value : state.values) {
        if (value.size() > kMeasuredValueLength)
            std::abort();
    }

    const QByteArray rebuilt =
        protocol_file::buildProtocolImage(protocol_file::parseProtocolImage(image));
    if (rebuilt.size() != protocol_file::kImageSize)
        std::abort();
    // Reading the rebuilt image again gives the same record: nothing is lost twice.
    if (protocol_file::parseProtocolImage(rebuilt) !=
        protocol_file::parseProtocolImage(
            protocol_file::buildProtocolImage(protocol_file::parseProtocolImage(rebuilt))))
        std::abort();
    return 0;
}
