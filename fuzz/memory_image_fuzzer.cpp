#include "tester/MemoryImage.h"
#include "tester/ReadoutPages.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace {
void check(bool condition) {
    if (!condition)
        std::abort();
}
} // namespace

// Whatever the tester sends as its memory, the entries read stay inside the
// bytes that came, every line keeps its width and every record its 32 bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray image(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    memory_image::isComplete(image);
    const auto entries = memory_image::entries(image);
    check(entries.size() <= memory_image::kMaxEntries);
    check(2 + qsizetype(entries.size()) * memory_image::kEntrySize <= std::max<qsizetype>(size, 2));
    for (const char software : {'A', 'B'}) {
        ReadoutPages pages(entries, software);
        while (pages.hasMore()) {
            const QStringList lines = pages.nextPage();
            for (const QString& line : lines)
                check(line.size() == memory_image::kLineLength);
            pages.keep(lines);
        }
        for (const QByteArray& record : pages.kept())
            check(record.size() == memory_image::kEntrySize);
    }
    return 0;
}
