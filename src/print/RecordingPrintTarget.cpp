#include "RecordingPrintTarget.h"

#include "common/Prompter.h"

#include <QPrinter>

#include <cmath>
#include <utility>

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
    const JobSettings settings = jobs_.isEmpty() ? JobSettings() : jobs_.last().settings;
    const PaperSize paper = settings.paper.value_or(kA4Paper);
    const auto dots = [this](Mm100 length) {
        return static_cast<int>(std::lround(double(length.value) * dpi_ / kMm100PerInch));
    };
    const bool landscape = settings.orientation == TXPrinterOrientation::xpoLandscape;
    caps.physicalWidth = caps.printableWidth = dots(landscape ? paper.height : paper.width);
    caps.physicalHeight = caps.printableHeight = dots(landscape ? paper.width : paper.height);
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
