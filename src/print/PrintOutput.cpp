#include "PrintOutput.h"

#include "DocumentPrintTarget.h"
#include "PdfFile.h"
#include "common/Prompter.h"

#include <QPrinter>
#include <QRegularExpression>

std::unique_ptr<PrintDocument> pdfDocument(const QString& path) {
    return std::make_unique<PdfFile>(path);
}

QString proposedPdfName(const QStringList& parts) {
    static const QRegularExpression forbidden(QStringLiteral("[\\\\/:*?\"<>|]"));
    QStringList kept;
    for (const QString& part : parts) {
        const QString clean = QString(part).replace(forbidden, QStringLiteral("-")).simplified();
        if (!clean.isEmpty())
            kept << clean;
    }
    return kept.join(QLatin1Char(' ')) + QStringLiteral(".pdf");
}

namespace {

void savePdf(Prompter& prompter, const DocumentSource& documents, const QString& pdfName,
             const PageDrawing& draw) {
    const Prompter::FileDialog dialog{QStringLiteral("PDF speichern"),
                                      QStringLiteral("PDF-Dateien (*.pdf)|*.pdf"),
                                      QStringLiteral("pdf"), pdfName, true};
    const std::optional<QString> path = prompter.saveFile(dialog);
    if (!path)
        return;
    const std::unique_ptr<PrintDocument> document = documents(*path);
    std::optional<QString> problem = document->open();
    if (!problem) {
        draw(document->target());
        problem = document->commit();
    }
    if (problem)
        prompter.message(*problem, QStringLiteral("Fehler"), Prompter::Buttons::Ok);
}

} // namespace

void deliver(Prompter& prompter, const PrintOutput& output, const QString& pdfName,
             const PageDrawing& draw) {
    switch (output.kind) {
    case OutputKind::Printer:
        if (const std::shared_ptr<PrintTarget> target = choosePrinter(prompter, output.printers))
            draw(*target);
        return;
    case OutputKind::Pdf:
        savePdf(prompter, output.documents, pdfName, draw);
        return;
    case OutputKind::Preview:
        prompter.printPreview([&](QPrinter& printer) {
            DocumentPrintTarget target(printer, DocumentPrintTarget::Pages::FirstOrientation);
            draw(target);
            target.finish();
        });
        return;
    }
}
