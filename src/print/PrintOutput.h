#pragma once

#include "PrintDocument.h"
#include "PrinterChoice.h"

#include <QString>
#include <QStringList>

#include <concepts>
#include <functional>
#include <memory>

class Prompter;

enum class OutputKind { Printer, Pdf, Preview };

// A PDF file at the path.
std::unique_ptr<PrintDocument> pdfDocument(const QString& path);

// Draws every page of one printout, each page one job of the target.
using PageDrawing = std::function<void(PrintTarget& target)>;

// Where a printout goes: the printer after its print dialog, a PDF file the
// user names, or the print preview. PDF and preview need no printer.
struct PrintOutput {
    // Not explicit: whatever gives a printer, alone, means printing.
    template <typename Source>
    requires std::convertible_to<Source, PrinterSource>
    PrintOutput(Source&& printerSource, OutputKind outputKind = OutputKind::Printer)
        : printers(std::forward<Source>(printerSource))
        , kind(outputKind)
        , documents(pdfDocument) {}

    PrinterSource printers;
    OutputKind kind;
    DocumentSource documents;
};

// The file name proposed for a PDF: the given parts that are not empty, with
// "-" for characters no file name may hold ("2011/0815"), and ".pdf".
QString proposedPdfName(const QStringList& parts);

// Draws the printout where `output` says; a PDF is proposed as `pdfName`.
void deliver(Prompter& prompter, const PrintOutput& output, const QString& pdfName,
             const PageDrawing& draw);
