#pragma once

#include "PainterCanvas.h"
#include "PrintTarget.h"

#include <QPainter>
#include <QPrinter>

#include <memory>
#include <optional>

class PrinterSystem;

// Jobs through Qt: on a system printer (CUPS on Linux) or into PDF files.
class QtPrintTarget : public PrintTarget {
public:
    // The named printer, or the system's default printer when the name is empty.
    static std::unique_ptr<QtPrintTarget> systemPrinter(const PrinterSystem& printers,
                                                        const QString& printerName = {});
    // A4 pages at the given resolution into a PDF file. The first job writes
    // the path itself, later ones "name-2.pdf", "name-3.pdf" beside it, so a
    // page is never overwritten by the next.
    static std::unique_ptr<QtPrintTarget> pdfFile(const QString& path, int dpi = 1200);

    // For the print and printer-setup dialogs.
    QPrinter& printer() { return printer_; }

    bool hasPrinter() const override { return hasPrinter_; }
    bool runPrintDialog(Prompter& prompter) override;
    std::optional<QString> beginJob(const JobSettings& settings) override;
    DeviceCaps caps() const override;
    void setMapping(double originX, double originY, double scaleX, double scaleY) override;
    std::optional<QString> endJob() override;
    bool aborted() const override;
    int copies() const override { return printer_.copyCount(); }
    void setCopies(int copies) override { printer_.setCopyCount(copies); }
    Canvas& canvas() override { return canvas_; }

private:
    explicit QtPrintTarget(bool hasPrinter);
    QString jobFileName() const;
    // The message for a failed job: the printer's, or that the PDF file cannot be written.
    QString failure(const QString& printerMessage) const;

    QPrinter printer_{QPrinter::HighResolution};
    QPainter painter_;
    PainterCanvas canvas_;
    bool hasPrinter_;
    QString pdfPath_;
    // What the printer had when the first job began, after its dialog.
    std::optional<QPageSize> ownPaper_;
    int jobsStarted_ = 0;
};
