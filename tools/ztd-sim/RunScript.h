#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// A measurement run as the tester sends it: messages, each after a delay,
// some followed by a wait for a key.
struct RunItem {
    enum class Wait { None, KeyInHand, Key };
    QByteArray message;
    int delayMs = 300;
    Wait wait = Wait::None;
};

using RunScript = std::vector<RunItem>;

// Messages of a run, byte for byte.
namespace run_message {
QByteArray step(int step);
// Seven characters of limit text.
QByteArray limit(const QByteArray& text);
// Five characters of value and two unit bytes (0xF4 for the ohm sign).
QByteArray reading(const QByteArray& value, const QByteArray& unit);
QByteArray overflow(bool on);
// The tester waits after these two notices: polarity reversal and mains voltage.
QByteArray reversalNotice();
QByteArray mainsNotice();
// Ends of a run: results available, no results, remote control ended.
QByteArray endWithResults();
QByteArray stop();
QByteArray abortRemote();
QByteArray faultSearch(char indication);
struct Value {
    QByteArray name;  // 6 characters
    QByteArray value; // 6 characters
    QByteArray unit;  // 2 bytes
};
// The measured values and 16 characters of verdict (0xF5 for 'ü').
QByteArray result(const std::vector<Value>& values, const QByteArray& verdict);
} // namespace run_message

// A run of class 1 with three measurements, ending with the verdict.
RunScript defaultRunScript();

// Reads a script, one message per line: quoted text ("\xF4" escapes allowed),
// two-digit hex bytes and single letters for the message codes, e.g.
//   i 00
//   g " 0.300 "
//   m " 0.12" 20 F4
// "pause N" sets the delay before the next message, "key" waits for a key,
// "handkey" waits only in Hand mode; '#' starts a comment.
std::optional<RunScript> parseRunScript(const QString& text, QString* error);
