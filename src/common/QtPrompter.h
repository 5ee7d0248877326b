#pragma once

#include "Prompter.h"

class QWidget;

// The real dialogs, modal to the given window.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr)
        : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    Answer message(const QString& text, const QString& caption, Buttons buttons) override;
    std::optional<QString> openFile(const FileDialog& dialog) override;
    std::optional<QStringList> openFiles(const FileDialog& dialog) override;
    std::optional<QString> saveFile(const FileDialog& dialog) override;
    bool printDialog(QPrinter& printer) override;
    bool printerSetup(QPrinter& printer) override;
    void printPreview(const std::function<void(QPrinter&)>& paint) override;
    void beep() override;
    std::unique_ptr<Progress> progress(const ProgressTask& task) override;

    // "Protokolldateien (*.pro)|*.pro" as Qt writes a name filter.
    static QString qtNameFilter(const QString& filter);

private:
    // The modal window open now, else the parent: a dialog must show over the
    // window that asks, or a window manager may raise the main window over it.
    QWidget* owner() const;

    QWidget* parent_;
};
