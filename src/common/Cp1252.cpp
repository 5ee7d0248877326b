#include "Cp1252.h"

#include <array>

namespace {

// 0x80..0x9F are the only bytes that differ from Latin-1. The five unassigned
// ones map to the C1 control of the same value, as Windows does, so every byte
// survives a round trip.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char encode(char32_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(unit);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == unit)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

namespace cp1252 {

QByteArray fromUnicode(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        // A surrogate pair is one character outside the code page: one '?'.
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        bytes.append(encode(c.unicode()));
    }
    return bytes;
}

QString toUnicode(const char* bytes, qsizetype length) {
    QString text(length, Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out[i] = (byte >= 0x80 && byte < 0xA0) ? QChar(kHighControls[byte - 0x80]) : QChar(byte);
    }
    return text;
}

void appendUtf8(QByteArray& out, const char* utf8, qsizetype length) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8);
    const auto* end = p + length;
    while (p < end) {
        const unsigned char lead = *p++;
        if (lead < 0x80) {
            out.append(char(lead));
            continue;
        }
        int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t c = extra == 3 ? lead & 0x07 : extra == 2 ? lead & 0x0F : lead & 0x1F;
        while (extra-- > 0 && p < end)
            c = (c << 6) | (*p++ & 0x3F);
        out.append(encode(c));
    }
}

QString toUnicode(const QByteArray& bytes) {
    return toUnicode(bytes.constData(), bytes.size());
}

} // namespace cp1252
