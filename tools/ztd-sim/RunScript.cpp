#include "RunScript.h"

#include "tester/TesterBytes.h"

#include <QRegularExpression>
#include <QStringList>

using namespace run_message_code;

namespace {
QByteArray fitted(const QByteArray& text, int length) {
    return text.left(length).leftJustified(length, ' ');
}

QByteArray code(std::uint8_t byte) {
    return QByteArray(1, static_cast<char>(byte));
}
} // namespace

QByteArray run_message::step(int step) {
    return code(kStep) + static_cast<char>(step);
}

QByteArray run_message::limit(const QByteArray& text) {
    return code(kLimit) + fitted(text, kLimitLength);
}

QByteArray run_message::reading(const QByteArray& value, const QByteArray& unit) {
    return code(kReading) + fitted(value, kReadingValueLength) + fitted(unit, kUnitLength);
}

QByteArray run_message::overflow(bool on) {
    return code(on ? kOverflowOn : kOverflowOff);
}

QByteArray run_message::reversalNotice() {
    return code(kReversalNotice);
}

QByteArray run_message::mainsNotice() {
    return code(kMainsNotice);
}

QByteArray run_message::endWithResults() {
    return code(kEndWithResults);
}

QByteArray run_message::stop() {
    return code(kStop);
}

QByteArray run_message::abortRemote() {
    return code(kAbort);
}

QByteArray run_message::faultSearch(char indication) {
    return code(kFaultSearch) + indication;
}

QByteArray run_message::result(const std::vector<Value>& values, const QByteArray& verdict) {
    QByteArray message = code(kResult);
    for (const Value& v : values)
        message += fitted(v.name, kResultNameLength) + fitted(v.value, kResultValueLength) +
                   fitted(v.unit, kUnitLength);
    return message + fitted(verdict, kVerdictLength);
}

RunScript defaultRunScript() {
    using namespace run_message;
    const QByteArray ohm("\x20\xF4", 2);
    using W = RunItem::Wait;
    return {
        {step(0), 300, W::None},
        {limit(" 0.300 "), 100, W::None},
        {reading(" 0.12", ohm), 500, W::KeyInHand},
        {step(2), 300, W::None},
        {limit("  1.000"), 100, W::None},
        {reading(" 25.0", "M\xF4"), 500, W::KeyInHand},
        {step(3), 300, W::None},
        {limit("   3.50"), 100, W::None},
        {reading(" 0.21", "mA"), 500, W::KeyInHand},
        {result(
             {{"R-SL  ", "  0.12", ohm}, {"R-ISO ", "  25.0", "M\xF4"}, {"I-EA  ", "  0.21", "mA"}},
             "Pr\xF5"
             "fung i. O.   "),
         300, W::Key},
    };
}

std::optional<RunScript> parseRunScript(const QString& text, QString* error) {
    static const QRegularExpression token(QStringLiteral("\"((?:[^\"\\\\]|\\\\.)*)\"|(\\S+)"));
    static const QRegularExpression hexEscape(QStringLiteral("\\\\x([0-9A-Fa-f]{2})"));
    RunScript script;
    int delay = 300;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines.at(n).section(QLatin1Char('#'), 0, 0).trimmed();
        if (line.isEmpty())
            continue;
        const auto fail = [&](const QString& why) {
            if (error)
                *error = QStringLiteral("Zeile %1: %2").arg(n + 1).arg(why);
            return std::nullopt;
        };
        if (line == QLatin1String("key") || line == QLatin1String("handkey")) {
            if (script.empty())
                return fail(QStringLiteral("\"%1\" vor der ersten Meldung").arg(line));
            script.back().wait =
                line == QLatin1String("key") ? RunItem::Wait::Key : RunItem::Wait::KeyInHand;
            continue;
        }
        if (line.startsWith(QLatin1String("pause "))) {
            bool ok = false;
            delay = line.mid(6).trimmed().toInt(&ok);
            if (!ok || delay < 0)
                return fail(QStringLiteral("ungültige Pause"));
            continue;
        }
        QByteArray message;
        for (auto it = token.globalMatch(line); it.hasNext();) {
            const auto match = it.next();
            if (match.hasCaptured(1)) {
                QString quoted = match.captured(1);
                QByteArray bytes;
                for (qsizetype i = 0; i < quoted.size(); ++i) {
                    const auto escape =
                        hexEscape.match(quoted, i, QRegularExpression::NormalMatch,
                                        QRegularExpression::AnchorAtOffsetMatchOption);
                    if (escape.hasMatch()) {
                        bytes.append(static_cast<char>(escape.captured(1).toInt(nullptr, 16)));
                        i += 3;
                    } else if (quoted.at(i) == QLatin1Char('\\') && i + 1 < quoted.size()) {
                        bytes.append(quoted.at(++i).toLatin1());
                    } else {
                        bytes.append(static_cast<char>(quoted.at(i).unicode() & 0xFF));
                    }
                }
                message += bytes;
                continue;
            }
            const QString word = match.captured(2);
            bool ok = false;
            const int value = word.toInt(&ok, 16);
            if (word.size() == 2 && ok)
                message.append(static_cast<char>(value));
            else if (word.size() == 1)
                message.append(word.at(0).toLatin1());
            else
                return fail(QStringLiteral("unbekanntes Zeichen \"%1\"").arg(word));
        }
        script.push_back({message, delay, RunItem::Wait::None});
    }
    return script;
}
