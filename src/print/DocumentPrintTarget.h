#pragma once

#include "PainterCanvas.h"
#include "PrintTarget.h"

#include <QPageSize>
#include <QPainter>

class QPagedPaintDevice;

// Every job a page of one document (a PDF file, the print preview), so that a
// printout of many jobs stays together in page order.
class DocumentPrintTarget : public PrintTarget {
public:
    // Qt's print preview shows every page on the first page's paper and in
    // its orientation: there a page that differs in orientation is drawn
    // turned by a quarter instead.
    enum class Pages { OwnOrientation, FirstOrientation };

    explicit DocumentPrintTarget(QPagedPaintDevice& device, Pages pages = Pages::OwnOrientation);

    // Closes the document; a German message when it could not be written.
    std::optional<QString> finish();
    int pages() const { return pages_; }

    bool hasPrinter() const override { return true; }
    bool runPrintDialog(Prompter&) override { return true; }
    std::optional<QString> beginJob(const JobSettings& settings) override;
    DeviceCaps caps() const override;
    void setMapping(double originX, double originY, double scaleX, double scaleY) override;
    std::optional<QString> endJob() override;
    bool aborted() const override { return false; }
    int copies() const override { return 1; }
    void setCopies(int) override {}
    Canvas& canvas() override { return canvas_; }

private:
    QPagedPaintDevice& device_;
    Pages mode_;
    // For the pages that do not ask for a paper of their own.
    QPageSize ownPaper_;
    bool turned_ = false;
    QPainter painter_;
    PainterCanvas canvas_;
    int pages_ = 0;
};
