#include "QtPrompter.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>

#include <limits>

namespace {

QMessageBox::Icon iconForCaption(const QString& caption) {
    if (caption == QLatin1String("Fehler"))
        return QMessageBox::Critical;
    if (caption == QLatin1String("Frage") || caption == QStringLiteral("Bestätigung"))
        return QMessageBox::Question;
    if (caption == QLatin1String("Achtung") || caption == QLatin1String("Warnung") ||
        caption == QLatin1String("Sicherheitsabfrage"))
        return QMessageBox::Warning;
    return QMessageBox::Information;
}

void configure(QFileDialog& box, const Prompter::FileDialog& dialog) {
    box.setWindowTitle(dialog.title);
    box.setNameFilter(QtPrompter::qtNameFilter(dialog.filter));
    box.setDefaultSuffix(dialog.defaultSuffix);
    if (!dialog.fileName.isEmpty())
        box.selectFile(dialog.fileName);
}

// Updates the window at most every 40 ms: often enough to look live, seldom
// enough that a million rows are not slowed down by painting.
class DialogProgress : public Progress {
public:
    DialogProgress(const ProgressTask& task, QWidget* owner)
        : task_(task)
        , dialog_(progressText(task, 0), QString(), 0, int(std::max<qint64>(task.total, 1)),
                  owner) {
        dialog_.setWindowTitle(task.caption);
        dialog_.setWindowModality(Qt::WindowModal);
        dialog_.setAutoClose(false);
        dialog_.setAutoReset(false);
        // Shown by update() alone, never by the dialog's own timer: that
        // timer fires while a question of the step (a date, a new customer)
        // waits for an answer, and the modal progress window would lock it.
        dialog_.setMinimumDuration(std::numeric_limits<int>::max());
        if (task.cancellable) {
            // Enter, pressed to confirm a message during the step, must not stop it.
            auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), &dialog_);
            cancel->setAutoDefault(false);
            dialog_.setCancelButton(cancel);
        } else {
            dialog_.setCancelButton(nullptr);
        }
        dialog_.setValue(0);
        sinceStart_.start();
        sinceUpdate_.start();
    }

    bool update(qint64 done) override {
        if (sinceUpdate_.elapsed() >= kUpdateEveryMs) {
            sinceUpdate_.restart();
            if (!shown_ && sinceStart_.elapsed() >= kShowAfterMs) {
                dialog_.show();
                shown_ = true;
            }
            dialog_.setLabelText(progressText(task_, done));
            dialog_.setValue(int(std::min(done, task_.total)));
            // The events go through here, so every window repaints and
            // "Abbrechen" is heard. QProgressDialog does this only when it
            // showed itself, which it never does here.
            if (shown_)
                QCoreApplication::processEvents();
        }
        return !task_.cancellable || !dialog_.wasCanceled();
    }

private:
    static constexpr int kShowAfterMs = 500;
    static constexpr int kUpdateEveryMs = 40;
    ProgressTask task_;
    QProgressDialog dialog_;
    QElapsedTimer sinceStart_;
    QElapsedTimer sinceUpdate_;
    bool shown_ = false;
};

} // namespace

std::unique_ptr<Progress> QtPrompter::progress(const ProgressTask& task) {
    return std::make_unique<DialogProgress>(task, owner());
}

QString QtPrompter::qtNameFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString& description = parts[i];
        filters << (description.contains(QLatin1Char('('))
                        ? description
                        : QStringLiteral("%1 (%2)").arg(description, patterns));
    }
    return filters.join(QStringLiteral(";;"));
}

QWidget* QtPrompter::owner() const {
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : parent_;
}

Prompter::Answer QtPrompter::message(const QString& text, const QString& caption, Buttons buttons) {
    QMessageBox box(iconForCaption(caption), caption, text, QMessageBox::NoButton, owner());
    // The button texts are set here so they read German even without Qt's translations.
    switch (buttons) {
    case Buttons::Ok:
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.exec();
        return Answer::Ok;
    case Buttons::OkCancel: {
        QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
        box.setDefaultButton(ok);
        box.exec();
        return box.clickedButton() == ok ? Answer::Ok : Answer::Cancel;
    }
    case Buttons::YesNo: {
        QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? Answer::Yes : Answer::No;
    }
    }
    return Answer::Cancel;
}

std::optional<QString> QtPrompter::openFile(const FileDialog& dialog) {
    QFileDialog box(owner());
    configure(box, dialog);
    box.setAcceptMode(QFileDialog::AcceptOpen);
    box.setFileMode(QFileDialog::ExistingFile);
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return std::nullopt;
    return box.selectedFiles().constFirst();
}

std::optional<QStringList> QtPrompter::openFiles(const FileDialog& dialog) {
    QFileDialog box(owner());
    configure(box, dialog);
    box.setAcceptMode(QFileDialog::AcceptOpen);
    box.setFileMode(QFileDialog::ExistingFiles);
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return std::nullopt;
    return box.selectedFiles();
}

std::optional<QString> QtPrompter::saveFile(const FileDialog& dialog) {
    QFileDialog box(owner());
    configure(box, dialog);
    box.setAcceptMode(QFileDialog::AcceptSave);
    box.setFileMode(QFileDialog::AnyFile);
    box.setOption(QFileDialog::DontConfirmOverwrite, !dialog.overwritePrompt);
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return std::nullopt;
    return box.selectedFiles().constFirst();
}

bool QtPrompter::printDialog(QPrinter& printer) {
    QPrintDialog box(&printer, owner());
    return box.exec() == QDialog::Accepted;
}

bool QtPrompter::printerSetup(QPrinter& printer) {
    QPrintDialog box(&printer, owner());
    box.setWindowTitle(QStringLiteral("Druckereinrichtung"));
    box.setOptions({});
    return box.exec() == QDialog::Accepted;
}

void QtPrompter::printPreview(const std::function<void(QPrinter&)>& paint) {
    QPrinter printer(QPrinter::HighResolution);
    // The pages keep their own margins, as on the printer.
    printer.setFullPage(true);
    QPrintPreviewDialog box(&printer, owner());
    box.setWindowTitle(QStringLiteral("Vorschau"));
    QObject::connect(&box, &QPrintPreviewDialog::paintRequested, &box,
                     [&paint](QPrinter* shown) { paint(*shown); });
    box.exec();
}

void QtPrompter::beep() {
    QApplication::beep();
}
