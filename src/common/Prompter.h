#pragma once

#include "Progress.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QPrinter;

// Every question, message and standard dialog goes through this interface, so
// that tests can script the answers and check each German text and caption.
class Prompter {
public:
    enum class Buttons { Ok, OkCancel, YesNo };
    enum class Answer { Ok, Cancel, Yes, No };

    // A file dialog as the windows configure it: title, filter in the
    // "Beschreibung (*.ext)|*.ext" form, default extension, proposed file name.
    struct FileDialog {
        QString title;
        QString filter;
        QString defaultSuffix;
        QString fileName;
        bool overwritePrompt = false;
    };

    virtual ~Prompter() = default;

    virtual Answer message(const QString& text, const QString& caption, Buttons buttons) = 0;
    // The chosen path, or nothing when the dialog was cancelled.
    virtual std::optional<QString> openFile(const FileDialog& dialog) = 0;
    virtual std::optional<QStringList> openFiles(const FileDialog& dialog) = 0;
    virtual std::optional<QString> saveFile(const FileDialog& dialog) = 0;
    // The system print dialog on the given printer; false when cancelled.
    virtual bool printDialog(QPrinter& printer) = 0;
    // The system printer-setup dialog; false when cancelled.
    virtual bool printerSetup(QPrinter& printer) = 0;
    // Qt's print preview of the pages `paint` draws on its printer, as often
    // as the preview needs them. Without a window to show it in, nothing.
    virtual void printPreview(const std::function<void(QPrinter&)>& paint);
    virtual void beep() = 0;
    // Shown while a long step runs, closed when the returned object goes.
    // Without a window to show it in, the step just runs to its end.
    virtual std::unique_ptr<Progress> progress(const ProgressTask& task);
};
