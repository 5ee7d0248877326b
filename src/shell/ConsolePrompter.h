#pragma once

#include "common/Prompter.h"

// Writes a line to standard error.
void say(const QString& text);

// Messages go to standard error; there is nobody to answer a dialog.
class ConsolePrompter : public Prompter {
public:
    Answer message(const QString& text, const QString& caption, Buttons buttons) override {
        say(caption + QStringLiteral(": ") + text);
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
    std::optional<QString> openFile(const FileDialog&) override { return std::nullopt; }
    std::optional<QStringList> openFiles(const FileDialog&) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileDialog&) override { return std::nullopt; }
    bool printDialog(QPrinter&) override { return false; }
    bool printerSetup(QPrinter&) override { return false; }
    void beep() override {}
};
