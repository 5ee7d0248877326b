#include "QtPrintTarget.h"

#include "PrinterSystem.h"
#include "common/Prompter.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>

QtPrintTarget::QtPrintTarget(bool hasPrinter)
    : hasPrinter_(hasPrinter) {
    // The device's origin is the paper's corner; the margins are ours to keep.
    printer_.setFullPage(true);
}

std::unique_ptr<QtPrintTarget> QtPrintTarget::systemPrinter(const PrinterSystem& printers,
                                                            const QString& printerName) {
    std::unique_ptr<QtPrintTarget> target(new QtPrintTarget(printers.hasPrinter()));
    if (!printerName.isEmpty())
        target->printer_.setPrinterName(printerName);
    return target;
}

std::unique_ptr<QtPrintTarget> QtPrintTarget::pdfFile(const QString& path, int dpi) {
    std::unique_ptr<QtPrintTarget> target(new QtPrintTarget(true));
    target->pdfPath_ = path;
    target->printer_.setOutputFormat(QPrinter::PdfFormat);
    target->printer_.setPageSize(QPageSize(QPageSize::A4));
    target->printer_.setPageMargins(QMarginsF(0, 0, 0, 0));
    target->printer_.setResolution(dpi);
    return target;
}

bool QtPrintTarget::runPrintDialog(Prompter& prompter) {
    return prompter.printDialog(printer_);
}

QString QtPrintTarget::jobFileName() const {
    if (jobsStarted_ == 0)
        return pdfPath_;
    const QFileInfo info(pdfPath_);
    return info.dir().filePath(QStringLiteral("%1-%2.%3")
                                   .arg(info.completeBaseName())
                                   .arg(jobsStarted_ + 1)
                                   .arg(info.suffix()));
}

QString QtPrintTarget::failure(const QString& printerMessage) const {
    if (pdfPath_.isEmpty())
        return printerMessage.arg(printer_.printerName());
    return QStringLiteral("Die PDF-Datei \"%1\" kann nicht geschrieben werden.")
        .arg(printer_.outputFileName());
}

std::optional<QString> QtPrintTarget::beginJob(const JobSettings& settings) {
    printer_.setDocName(settings.title);
    if (!ownPaper_)
        ownPaper_ = printer_.pageLayout().pageSize();
    printer_.setPageSize(settings.paper ? qtPageSize(*settings.paper) : *ownPaper_);
    printer_.setPageOrientation(settings.orientation == TXPrinterOrientation::xpoLandscape
                                    ? QPageLayout::Landscape
                                    : QPageLayout::Portrait);
    if (!pdfPath_.isEmpty())
        printer_.setOutputFileName(jobFileName());
    if (!painter_.begin(&printer_))
        return failure(QStringLiteral("Der Drucker \"%1\" nimmt den Druckauftrag nicht an."));
    ++jobsStarted_;
    canvas_.setPainter(&painter_);
    return std::nullopt;
}

DeviceCaps QtPrintTarget::caps() const {
    DeviceCaps caps;
    caps.dpiX = caps.dpiY = printer_.resolution();
    const QPageLayout layout = printer_.pageLayout();
    const QRect paper = layout.fullRectPixels(printer_.resolution());
    const QRect printable = layout.paintRectPixels(printer_.resolution());
    caps.physicalWidth = paper.width();
    caps.physicalHeight = paper.height();
    caps.printableWidth = printable.width();
    caps.printableHeight = printable.height();
    // In full-page mode the device's origin is the paper's corner, so the
    // printable area starts at offset 0 as far as the mapping is concerned.
    return caps;
}

void QtPrintTarget::setMapping(double originX, double originY, double scaleX, double scaleY) {
    painter_.resetTransform();
    painter_.translate(originX, originY);
    painter_.scale(scaleX, scaleY);
}

std::optional<QString> QtPrintTarget::endJob() {
    canvas_.setPainter(nullptr);
    if (!painter_.isActive())
        return std::nullopt;
    if (!painter_.end() || printer_.printerState() == QPrinter::Error)
        return failure(
            QStringLiteral("Der Druckauftrag für den Drucker \"%1\" ist fehlgeschlagen."));
    return std::nullopt;
}

bool QtPrintTarget::aborted() const {
    return printer_.printerState() == QPrinter::Aborted;
}
