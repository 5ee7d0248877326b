#pragma once

#include "ScriptedPrompter.h"
#include "tester/TesterNotices.h"

#include <QStringList>

#include <string>

// The notice window a notice stands for.
inline QString noticeWindow(Notice notice) {
    return QStringLiteral("TForm%1").arg(static_cast<int>(notice) + 4);
}

// One line per entry, so that a failing comparison shows the entries as text.
inline std::string joined(const QStringList& log) {
    return log.join(QLatin1Char('\n')).toStdString();
}

// A scripted prompter that also writes each message and beep into a log the
// session's window writes into as well, so a test sees them in their order.
class LoggingPrompter : public ScriptedPrompter {
public:
    explicit LoggingPrompter(QStringList& log)
        : log_(log) {}

    Answer message(const QString& text, const QString& caption, Buttons buttons) override {
        log_ << QStringLiteral("message %1|%2").arg(caption, text);
        return ScriptedPrompter::message(text, caption, buttons);
    }
    void beep() override {
        log_ << QStringLiteral("beep");
        ScriptedPrompter::beep();
    }

private:
    QStringList& log_;
};
