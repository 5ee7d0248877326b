#include "RecordingPrintTarget.h"

#include "common/Prompter.h"

#include <QPrinter>

#include <cmath>
#include <utility>

namespace {
constexpr double kA4WidthMm = 210;
constexpr double kA4HeightMm = 297;
constexpr double kMmPerInch = 25.4;
} // namespace

RecordingPrintTarget::RecordingPrintTarget(int dpi, bool hasPrinter)
    : dpi_(dpi)
    , hasPrinter_(hasPrinter) {}

std::optional<QString> RecordingPrintTarget::beginJob(const JobSettings& settings) {
    if (!failure_.isEmpty())
        return std::exchange(failure_, QString());
    canvas_.clear();
    jobs_.append({settings, {}, {}, false});
    return std::nullopt;
}

DeviceCaps RecordingPrintTarget::caps() const {
    DeviceCaps caps;
    caps.dpiX = caps.dpiY = dpi_;
    const int shortSide = static_cast<int>(std::lround(kA4WidthMm * dpi_ / kMmPerInch));
    const int longSide = static_cast<int>(std::lround(kA4HeightMm * dpi_ / kMmPerInch));
    const bool landscape =
        !jobs_.isEmpty() && jobs_.last().settings.orientation == TXPrinterOrientation::xpoLandscape;
    caps.physicalWidth = caps.printableWidth = landscape ? longSide : shortSide;
    caps.physicalHeight = caps.printableHeight = landscape ? shortSide : longSide;
    return caps;
}

void RecordingPrintTarget::setMapping(double originX, double originY, double scaleX,
                                      double scaleY) {
    jobs_.last().mapping = {originX, originY, scaleX, scaleY};
}

std::optional<QString> RecordingPrintTarget::endJob() {
    jobs_.last().ops = canvas_.ops();
    jobs_.last().ended = true;
    canvas_.clear();
    return std::nullopt;
}

bool RecordingPrintTarget::runPrintDialog(Prompter& prompter) {
    // The dialog's choices do not reach a recording; only the answer counts.
    QPrinter printer;
    return prompter.printDialog(printer);
}
