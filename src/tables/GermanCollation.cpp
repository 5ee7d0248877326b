#include "GermanCollation.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <sqlite3.h>

namespace german_collation {
namespace {

// Folded form of U+0000..U+024F: up to two ASCII letters, built once.
struct FoldTable {
    std::array<std::array<char32_t, 2>, 0x250> folded{};

    FoldTable() {
        for (char32_t c = 0; c < folded.size(); ++c) {
            const QString decomposed =
                QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_D);
            const char32_t base = decomposed.isEmpty() ? c : decomposed.at(0).unicode();
            folded[c] = {QChar::toLower(base), 0};
        }
        const auto set = [&](char32_t c, const char* to) {
            folded[c] = {char32_t(to[0]), char32_t(to[1])};
        };
        set(0xDF, "ss");
        set(0xC6, "ae");
        set(0xE6, "ae");
        set(0x152, "oe");
        set(0x153, "oe");
        set(0xD8, "o\0");
        set(0xF8, "o\0");
        set(0x110, "d\0");
        set(0x111, "d\0");
        set(0x141, "l\0");
        set(0x142, "l\0");
    }
};

const FoldTable& foldTable() {
    static const FoldTable table;
    return table;
}

// Reads UTF-8 and hands out the folded code points one by one.
class FoldedReader {
public:
    FoldedReader(const unsigned char* text, int length)
        : p_(text)
        , end_(text + length) {}

    // False at the end of the text.
    bool next(char32_t& out) {
        if (pending_) {
            out = pending_;
            pending_ = 0;
            return true;
        }
        if (p_ >= end_)
            return false;
        const char32_t c = decode();
        if (c < 0x80) {
            out = (c >= 'A' && c <= 'Z') ? c + 32 : c;
        } else if (c < 0x250) {
            const auto& f = foldTable().folded[c];
            out = f[0];
            pending_ = f[1];
        } else if (c == 0x1E9E) {
            out = 's';
            pending_ = 's';
        } else {
            out = c <= 0xFFFF ? QChar::toLower(c) : c;
        }
        return true;
    }

private:
    char32_t decode() {
        const unsigned char lead = *p_++;
        int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t c = extra == 3   ? lead & 0x07
                     : extra == 2 ? lead & 0x0F
                     : extra == 1 ? lead & 0x1F
                                  : lead;
        while (extra-- > 0 && p_ < end_)
            c = (c << 6) | (*p_++ & 0x3F);
        return c;
    }

    const unsigned char* p_;
    const unsigned char* end_;
    char32_t pending_ = 0;
};

int collate(void*, int lengthA, const void* a, int lengthB, const void* b) {
    return compareUtf8(static_cast<const char*>(a), lengthA, static_cast<const char*>(b), lengthB);
}

} // namespace

int compareUtf8(const char* a, int lengthA, const char* b, int lengthB) {
    const auto* left8 = reinterpret_cast<const unsigned char*>(a);
    const auto* right8 = reinterpret_cast<const unsigned char*>(b);
    // Folding works character by character, so an identical prefix folds
    // identically: skip it byte by byte (most keys of an index share long
    // prefixes), then fold from the start of the character where they part.
    const int common = std::min(lengthA, lengthB);
    int same = 0;
    // Eight bytes at a time: equal keys, the most frequent case in an index
    // build, cost what a byte comparison costs.
    for (; same + 8 <= common; same += 8) {
        std::uint64_t left = 0, right = 0;
        std::memcpy(&left, left8 + same, 8);
        std::memcpy(&right, right8 + same, 8);
        if (left != right)
            break;
    }
    while (same < common && left8[same] == right8[same])
        ++same;
    // Plain ASCII folds to its lower-case letter alone.
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
    for (; same < common && (left8[same] | right8[same]) < 0x80; ++same)
        if (const int l = lower(left8[same]), r = lower(right8[same]); l != r)
            return l < r ? -1 : 1;
    if (same == lengthA || same == lengthB)
        return int(same < lengthA) - int(same < lengthB);
    while (same > 0 && (left8[same] & 0xC0) == 0x80)
        --same;
    FoldedReader left(left8 + same, lengthA - same);
    FoldedReader right(right8 + same, lengthB - same);
    for (;;) {
        char32_t l = 0, r = 0;
        const bool hasLeft = left.next(l);
        const bool hasRight = right.next(r);
        if (!hasLeft || !hasRight)
            return int(hasLeft) - int(hasRight);
        if (l != r)
            return l < r ? -1 : 1;
    }
}

int compare(const QString& a, const QString& b) {
    const QByteArray left = a.toUtf8();
    const QByteArray right = b.toUtf8();
    return compareUtf8(left.constData(), int(left.size()), right.constData(), int(right.size()));
}

bool registerOn(sqlite3* handle) {
    return sqlite3_create_collation_v2(handle, kName, SQLITE_UTF8, nullptr, &collate, nullptr) ==
           SQLITE_OK;
}

bool registerOn(const QSqlDatabase& database) {
    const QVariant handle = database.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return false;
    sqlite3* db = *static_cast<sqlite3* const*>(handle.constData());
    return db && registerOn(db);
}

QString upperBound(const QString& prefix) {
    const char32_t highest = 0x10FFFF;
    return prefix + QString::fromUcs4(&highest, 1);
}

} // namespace german_collation
