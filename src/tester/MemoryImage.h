#pragma once

#include "TesterBytes.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

// The tester's measurement memory as it sends it: two count bytes, 32-byte
// entries, and an end mark 0x04 after them. Decoders take the bytes only.
namespace memory_image {

// More entries than this are not shown.
inline constexpr int kMaxEntries = 4062;

struct Entry {
    int number = 0; // 1-based position in the memory
    std::uint8_t flags = 0;
    QByteArray valueA; // 5 characters each, zero bytes as blanks
    QByteArray valueB;
    QByteArray valueC;
};

// The number of entries the count bytes announce (count − 1); nothing before
// both count bytes have arrived.
std::optional<int> entryCount(const QByteArray& image);
// The bytes up to the end mark: count bytes and all announced entries.
qsizetype expectedLength(int entries);
// All announced entries arrived and an end mark came after them. A 0x04
// inside the count or an entry is data, not the end.
bool isComplete(const QByteArray& image);
// The first `limit` entries the image holds in full.
QList<Entry> entries(const QByteArray& image, int limit = kMaxEntries);

// The line the readout window shows: number, class, test kind, the three
// values, the legend of what was measured and the letters T/F, O/F, D/F.
// With memory software 'B' a class 1 periodic test with insulation test
// stores Riso first; the line shows Rsl first.
QString displayLine(const Entry& entry, char memorySoftware);
inline constexpr int kLineLength = 62;

// The 32-byte record the archive import takes from a shown line.
QByteArray readoutEntry(const QString& line);

} // namespace memory_image
