#include "MemoryImage.h"

namespace memory_image {

namespace {

QByteArray value(const QByteArray& image, qsizetype at) {
    QByteArray text = image.mid(at, 5);
    text.replace('\0', ' ');
    return text;
}

const char* legend(int classCode, bool periodic, bool noInsulation) {
    // [class code][0701 with T, 0701 with F, 0702 with T, 0702 with F]
    static const char* const kLegends[4][4] = {
        {"Rsl   Isl       ", "Rsl   Riso   Iea", "Rsl   Isl       ", "Riso  Rsl    Isl"},
        {"Iber            ", "Riso  Iea       ", "Iber            ", "Riso  Iber      "},
        {"Riso  Iea       ", "Riso  Iea       ", "Riso            ", "Riso            "},
        {"Rsl   Isl       ", "Rsl   Riso   Iea", "Rsl   Isl       ", "Riso  Rsl    Isl"},
    };
    return kLegends[classCode][(periodic ? 2 : 0) + (noInsulation ? 0 : 1)];
}

} // namespace

std::optional<int> entryCount(const QByteArray& image) {
    if (image.size() < 2)
        return std::nullopt;
    const int count =
        static_cast<std::uint8_t>(image[0]) * 256 + static_cast<std::uint8_t>(image[1]);
    return std::max(count - 1, 0);
}

qsizetype expectedLength(int entries) {
    return 2 + qsizetype(entries) * kEntrySize;
}

bool isComplete(const QByteArray& image) {
    const auto count = entryCount(image);
    return count && image.indexOf(kEndMark, expectedLength(*count)) >= 0;
}

QList<Entry> entries(const QByteArray& image, int limit) {
    QList<Entry> result;
    const auto count = entryCount(image);
    if (!count)
        return result;
    const int available = int(std::max<qsizetype>(image.size() - 2, 0) / kEntrySize);
    const int n = std::min({*count, limit, available});
    for (int i = 0; i < n; ++i) {
        const qsizetype at = 2 + qsizetype(i) * kEntrySize;
        result.append({i + 1, static_cast<std::uint8_t>(image[at]), value(image, at + 1),
                       value(image, at + 6), value(image, at + 11)});
    }
    return result;
}

QString displayLine(const Entry& entry, char memorySoftware) {
    const bool periodic = entry.flags & kPeriodicTest;
    const int classCode = (entry.flags & kClassCode) >> kClassCodeShift;
    const bool noInsulation = entry.flags & kWithoutInsulation;
    static const char* const kClasses[] = {"1   ", "2   ", "3   ", "1e  "};
    QByteArray a = entry.valueA;
    QByteArray b = entry.valueB;
    if (memorySoftware == 'B' && periodic && (classCode == 0 || classCode == 3) && !noInsulation)
        std::swap(a, b);
    QByteArray line = QByteArray::number(entry.number).rightJustified(4, ' ', true);
    line += "  ";
    line += kClasses[classCode];
    line += periodic ? "0702" : "0701";
    line += "   " + a + "   " + b + "   " + entry.valueC + "     ";
    line += legend(classCode, periodic, noInsulation);
    line += noInsulation ? 'T' : 'F';
    line += entry.flags & kInOrder ? 'O' : 'F';
    line += entry.flags & kDifferential ? 'D' : 'F';
    return QString::fromLatin1(line);
}

QByteArray readoutEntry(const QString& line) {
    const QByteArray text = line.toLatin1().leftJustified(kLineLength, ' ');
    QByteArray entry = text.mid(0, 4); // entry number
    entry += text.mid(6, 2);           // class
    entry += text.mid(13, 1);          // test kind digit
    entry += text.mid(17, 5);          // value A
    entry += text.mid(25, 5);          // value B
    entry += text.mid(33, 5);          // value C
    entry += text.mid(59, 3);          // T/F, O/F, D/F
    return entry.leftJustified(kEntrySize, ' ');
}

} // namespace memory_image
