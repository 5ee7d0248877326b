#include "ScriptedPrompter.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
const char* answerName(Prompter::Answer answer) {
    switch (answer) {
    case Prompter::Answer::Ok:
        return "Ok";
    case Prompter::Answer::Cancel:
        return "Cancel";
    case Prompter::Answer::Yes:
        return "Yes";
    case Prompter::Answer::No:
        return "No";
    }
    return "?";
}
} // namespace

ScriptedPrompter::~ScriptedPrompter() {
    if (answers_.empty())
        return;
    std::string unused;
    for (const Scripted& scripted : answers_) {
        switch (scripted.type) {
        case Scripted::Message:
            unused += std::string(" answer(") + answerName(scripted.answer) + ")";
            break;
        case Scripted::Files:
            unused += " chooseFiles(" + scripted.paths.join(QLatin1Char(',')).toStdString() + ")";
            break;
        case Scripted::Cancel:
            unused += " cancelDialog()";
            break;
        case Scripted::Accept:
            unused += " acceptDialog()";
            break;
        }
    }
    ADD_FAILURE() << "scripted answers never asked for:" << unused;
}

std::optional<ScriptedPrompter::Scripted> ScriptedPrompter::next() {
    if (answers_.empty())
        return std::nullopt;
    Scripted front = answers_.front();
    answers_.pop_front();
    return front;
}

QStringList ScriptedPrompter::messages() const {
    QStringList out;
    for (const Call& call : calls_) {
        if (call.kind == Kind::Message)
            out << call.caption + QLatin1Char('|') + call.text;
    }
    return out;
}

Prompter::Answer ScriptedPrompter::message(const QString& text, const QString& caption,
                                           Buttons buttons) {
    calls_.push_back({Kind::Message, caption, text, buttons, {}});
    const auto scripted = next();
    if (!scripted)
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    if (scripted->type != Scripted::Message) {
        ADD_FAILURE() << "message box \"" << text.toStdString() << "\" met a dialog answer";
        return Answer::Cancel;
    }
    return scripted->answer;
}

std::optional<QStringList> ScriptedPrompter::fileAnswer(Kind kind, const FileDialog& dialog) {
    calls_.push_back({kind, dialog.title, dialog.fileName, Buttons::Ok, dialog});
    const auto scripted = next();
    if (!scripted || scripted->type == Scripted::Cancel)
        return std::nullopt;
    if (scripted->type != Scripted::Files) {
        ADD_FAILURE() << "file dialog \"" << dialog.title.toStdString() << "\" met another answer";
        return std::nullopt;
    }
    return scripted->paths;
}

std::optional<QString> ScriptedPrompter::openFile(const FileDialog& dialog) {
    const auto paths = fileAnswer(Kind::OpenFile, dialog);
    return paths ? std::optional<QString>(paths->value(0)) : std::nullopt;
}

std::optional<QStringList> ScriptedPrompter::openFiles(const FileDialog& dialog) {
    return fileAnswer(Kind::OpenFiles, dialog);
}

std::optional<QString> ScriptedPrompter::saveFile(const FileDialog& dialog) {
    const auto paths = fileAnswer(Kind::SaveFile, dialog);
    return paths ? std::optional<QString>(paths->value(0)) : std::nullopt;
}

bool ScriptedPrompter::dialogAnswer(Kind kind, const QString& title) {
    calls_.push_back({kind, title, {}, Buttons::Ok, {}});
    const auto scripted = next();
    return scripted && scripted->type == Scripted::Accept;
}

bool ScriptedPrompter::printDialog(QPrinter&) {
    return dialogAnswer(Kind::PrintDialog, {});
}

bool ScriptedPrompter::printerSetup(QPrinter&) {
    return dialogAnswer(Kind::PrinterSetup, {});
}

void ScriptedPrompter::printPreview(const std::function<void(QPrinter&)>& paint) {
    calls_.push_back({Kind::Preview, {}, {}, Buttons::Ok, {}});
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("preview.pdf")));
    paint(printer);
    QFile file(printer.outputFileName());
    previewPdf_ = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void ScriptedPrompter::beep() {
    calls_.push_back({Kind::Beep, {}, {}, Buttons::Ok, {}});
}

namespace {
class RecordedProgress : public Progress {
public:
    RecordedProgress(const ProgressTask& task, QStringList& texts, std::optional<qint64> stopAt)
        : task_(task)
        , texts_(texts)
        , stopAt_(stopAt) {
        update(0);
    }
    bool update(qint64 done) override {
        texts_ << task_.caption + QLatin1Char('|') + progressText(task_, done);
        return !(task_.cancellable && stopAt_ && done >= *stopAt_);
    }

private:
    ProgressTask task_;
    QStringList& texts_;
    std::optional<qint64> stopAt_;
};
} // namespace

std::unique_ptr<Progress> ScriptedPrompter::progress(const ProgressTask& task) {
    auto recorded = std::make_unique<RecordedProgress>(task, progressTexts_, stopProgressAt_);
    stopProgressAt_.reset();
    return recorded;
}
