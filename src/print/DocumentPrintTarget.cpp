#include "DocumentPrintTarget.h"

#include <QPageLayout>
#include <QPagedPaintDevice>

namespace {
const QString kCannotDraw = QStringLiteral("Die Seite kann nicht erstellt werden.");
} // namespace

DocumentPrintTarget::DocumentPrintTarget(QPagedPaintDevice& device, Pages pages)
    : device_(device)
    , mode_(pages)
    , ownPaper_(device.pageLayout().pageSize()) {}

std::optional<QString> DocumentPrintTarget::beginJob(const JobSettings& settings) {
    const auto orientation = settings.orientation == TXPrinterOrientation::xpoLandscape
                                 ? QPageLayout::Landscape
                                 : QPageLayout::Portrait;
    const QPageSize paper = settings.paper ? qtPageSize(*settings.paper) : ownPaper_;
    if (pages_ == 0) {
        device_.setPageSize(paper);
        device_.setPageOrientation(orientation);
        if (!painter_.begin(&device_))
            return kCannotDraw;
    } else {
        // newPage() starts the next page in the layout set before it.
        if (mode_ == Pages::OwnOrientation) {
            device_.setPageSize(paper);
            device_.setPageOrientation(orientation);
        }
        if (!device_.newPage())
            return kCannotDraw;
    }
    turned_ = device_.pageLayout().orientation() != orientation;
    ++pages_;
    canvas_.setPainter(&painter_);
    return std::nullopt;
}

DeviceCaps DocumentPrintTarget::caps() const {
    DeviceCaps caps;
    const int dpi = device_.logicalDpiX();
    caps.dpiX = caps.dpiY = dpi;
    const QRect paper = device_.pageLayout().fullRectPixels(dpi);
    caps.physicalWidth = caps.printableWidth = turned_ ? paper.height() : paper.width();
    caps.physicalHeight = caps.printableHeight = turned_ ? paper.width() : paper.height();
    return caps;
}

void DocumentPrintTarget::setMapping(double originX, double originY, double scaleX, double scaleY) {
    painter_.resetTransform();
    if (turned_) {
        // The page's top edge runs down the paper's right edge.
        painter_.translate(device_.pageLayout().fullRectPixels(device_.logicalDpiX()).width(), 0);
        painter_.rotate(90);
    }
    painter_.translate(originX, originY);
    painter_.scale(scaleX, scaleY);
}

std::optional<QString> DocumentPrintTarget::endJob() {
    // The page stays open until the next one starts or the document ends.
    canvas_.setPainter(nullptr);
    return std::nullopt;
}

std::optional<QString> DocumentPrintTarget::finish() {
    canvas_.setPainter(nullptr);
    if (painter_.isActive() && !painter_.end())
        return kCannotDraw;
    return std::nullopt;
}
