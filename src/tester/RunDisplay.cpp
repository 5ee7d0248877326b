#include "RunDisplay.h"

#include "TesterBytes.h"
#include "TesterConnection.h"
#include "common/Cp1252.h"
#include "report/Vocabulary.h"

namespace run_display {

namespace {
constexpr char kCp1252UmlautU = '\xFC';
constexpr int kSignPosition = 9;
constexpr int kLimitPosition = 10;
constexpr int kStepUnitPosition = 18;

enum class StepUnit { Ohm, MOhm, MA };
struct Step {
    char sign;
    StepUnit unit;
    StepIndicators indicators;
};
constexpr Step kSteps[10] = {
    {'<', StepUnit::Ohm, {false, false}},  {'<', StepUnit::Ohm, {true, false}},
    {'>', StepUnit::MOhm, {false, false}}, {'<', StepUnit::MA, {false, false}},
    {'<', StepUnit::Ohm, {false, false}},  {'<', StepUnit::Ohm, {true, false}},
    {'>', StepUnit::MOhm, {false, false}}, {'<', StepUnit::MA, {false, false}},
    {'<', StepUnit::MA, {false, true}},    {'<', StepUnit::MA, {true, true}},
};

const char* unitText(StepUnit unit) {
    switch (unit) {
    case StepUnit::Ohm:
        return "Ohm";
    case StepUnit::MOhm:
        return "MOhm";
    case StepUnit::MA:
        break;
    }
    return "mA";
}

void put(QByteArray& line, int position, const QByteArray& bytes) {
    line.replace(position, bytes.size(), bytes);
    line.truncate(kLineLength);
}

bool isStep(int step) {
    return step >= 0 && step <= 9;
}
} // namespace

QByteArray blankLine() {
    return QByteArray(kLineLength, ' ');
}

void putUnitByte(QByteArray& line, int position, std::uint8_t byte) {
    put(line, position,
        byte == run_message_code::kOhmSign ? QByteArray("Ohm")
                                           : QByteArray(1, static_cast<char>(byte)));
}

QByteArray stepLine(int protectionClass, int step) {
    QByteArray line = blankLine();
    put(line, 0, "Skl " + vocabulary::classText(protectionClass).value_or(QString()).toLatin1());
    if (!isStep(step))
        return line;
    line[kSignPosition] = kSteps[step].sign;
    put(line, kStepUnitPosition, unitText(kSteps[step].unit));
    // The tester shows no unit for the currents of class 1e.
    if (protectionClass == 4 && kSteps[step].unit == StepUnit::MA)
        put(line, kStepUnitPosition, "  ");
    return line;
}

void putLimit(QByteArray& line, const QByteArray& limit) {
    put(line, kLimitPosition, limit.left(7));
}

QByteArray readingLine(const QByteArray& value, const QByteArray& unit) {
    QByteArray line = blankLine();
    put(line, 6, value.left(5));
    for (int i = 0; i < 2 && i < unit.size(); ++i)
        putUnitByte(line, 12 + i, static_cast<std::uint8_t>(unit[i]));
    return line;
}

QByteArray resultLine(const QByteArray& name, const QByteArray& value, const QByteArray& unit) {
    QByteArray line = blankLine();
    put(line, 1, name.left(6));
    put(line, 8, value.left(6));
    for (int i = 0; i < 2 && i < unit.size(); ++i)
        putUnitByte(line, 14 + i, static_cast<std::uint8_t>(unit[i]));
    return line;
}

QString measuredValue(const QByteArray& resultLine) {
    QString value;
    for (const char c : resultLine.mid(8, 6)) {
        const auto byte = static_cast<std::uint8_t>(c);
        value += byte < 0x20 || byte > 0x7F ? QLatin1Char(' ') : QLatin1Char(c);
    }
    return value;
}

StepIndicators stepIndicators(int step) {
    return isStep(step) ? kSteps[step].indicators : StepIndicators{};
}

std::optional<QString> stepNameLine(const TesterConnection& connection, int protectionClass,
                                    int step) {
    const int version = connection.ProtocolVersion;
    if (version < 7 || version > 10 || !isStep(step))
        return std::nullopt;
    // Class 2 has no protective conductor: its current steps measure the touch current.
    const int lastOwnStep = version == 7 ? 6 : 7;
    if (protectionClass == 2 && step > lastOwnStep)
        return QStringLiteral("Berührungsstrom       ");
    return connection.stepNames[step];
}

QString verdictText(const QByteArray& verdict) {
    QByteArray text = verdict;
    text.replace(char(run_message_code::kUmlautU), kCp1252UmlautU);
    return cp1252::toUnicode(text);
}

bool verdictNotInOrder(const QString& verdict, bool frenchDisplay) {
    return verdict.contains(frenchDisplay ? QLatin1Char('n') : QLatin1Char('h'));
}

QString lineText(const QByteArray& line) {
    // A zero or control byte from the tester must not cut the line short on screen.
    QByteArray shown = line;
    for (char& c : shown)
        if (static_cast<std::uint8_t>(c) < 0x20)
            c = ' ';
    return cp1252::toUnicode(shown);
}

} // namespace run_display
