#pragma once

#include <QString>
#include <QStringList>

// What the program is told when it starts. Read before any window system is
// touched, so --help works without a display.
struct ProgramOptions {
    enum class Action { Run, ShowText, Fail };
    Action action = Action::Run;
    // Help or version text for standard output, or a message for standard error.
    QString text;
    // The folder of the tables from --data; empty when not given.
    QString dataDirectory;
};

ProgramOptions parseCommandLine(const QStringList& arguments);
