#pragma once

#include "common/Prompter.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

// A prompter for tests: it records every question and dialog and answers from
// a queue. With the queue empty, a message gets its first button (OK or Yes),
// a file or print dialog is cancelled.
class ScriptedPrompter : public Prompter {
public:
    enum class Kind {
        Message,
        OpenFile,
        OpenFiles,
        SaveFile,
        PrintDialog,
        PrinterSetup,
        Preview,
        Beep
    };

    // An answer never asked for means the test expected a question that did not come.
    ~ScriptedPrompter() override;

    struct Call {
        Kind kind;
        QString caption; // message caption or dialog title
        QString text;    // message text or proposed file name
        Buttons buttons = Buttons::Ok;
        FileDialog dialog;
    };

    // Queue answers in the order the dialogs will come.
    void answer(Answer answer) { answers_.push_back({Scripted::Message, answer, {}}); }
    void chooseFile(const QString& path) { chooseFiles({path}); }
    void chooseFiles(const QStringList& paths) {
        answers_.push_back({Scripted::Files, Answer::Ok, paths});
    }
    void cancelDialog() { answers_.push_back({Scripted::Cancel, Answer::Cancel, {}}); }
    void acceptDialog() { answers_.push_back({Scripted::Accept, Answer::Ok, {}}); }

    // Every progress report as "caption|text", the first (0 done) included.
    const QStringList& progressTexts() const { return progressTexts_; }
    // The next long step is told to stop once it reports this many done.
    void stopProgressAt(qint64 done) { stopProgressAt_ = done; }

    const std::vector<Call>& calls() const { return calls_; }
    // The pages the last preview showed, painted into a PDF file.
    const QByteArray& previewPdf() const { return previewPdf_; }
    // "caption|text" of every message, for compact assertions.
    QStringList messages() const;

    Answer message(const QString& text, const QString& caption, Buttons buttons) override;
    std::optional<QString> openFile(const FileDialog& dialog) override;
    std::optional<QStringList> openFiles(const FileDialog& dialog) override;
    std::optional<QString> saveFile(const FileDialog& dialog) override;
    bool printDialog(QPrinter& printer) override;
    bool printerSetup(QPrinter& printer) override;
    void printPreview(const std::function<void(QPrinter&)>& paint) override;
    void beep() override;
    std::unique_ptr<Progress> progress(const ProgressTask& task) override;

private:
    struct Scripted {
        enum Type { Message, Files, Cancel, Accept } type;
        Answer answer;
        QStringList paths;
    };

    std::optional<Scripted> next();
    std::optional<QStringList> fileAnswer(Kind kind, const FileDialog& dialog);
    bool dialogAnswer(Kind kind, const QString& title);

    std::deque<Scripted> answers_;
    std::vector<Call> calls_;
    QStringList progressTexts_;
    QByteArray previewPdf_;
    std::optional<qint64> stopProgressAt_;
};
