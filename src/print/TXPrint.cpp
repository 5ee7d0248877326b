#include "TXPrint.h"

#include "Mm100.h"

#include <cmath>

TXPrint::TXPrint(PrintTarget& target)
    : target_(target) {
    canvas().setUnitsPerInch(fontUnitsPerInch());
}

int TXPrint::unitsPerInch() const {
    switch (scaling_) {
    case TScaling::pscDot:
        return 1;
    case TScaling::pscMil:
        return 1000;
    case TScaling::pscMetric10:
        return kMm100PerInch / 10;
    case TScaling::pscMetric100:
        return kMm100PerInch;
    }
    return 1;
}

int TXPrint::fontUnitsPerInch() const {
    return scaling_ == TScaling::pscDot ? dpiY_ : unitsPerInch();
}

int TXPrint::toDots(int units, int dpi) const {
    return scaling_ == TScaling::pscDot ? units : units * dpi / unitsPerInch();
}

void TXPrint::setScaling(TScaling scaling) {
    if (printing_)
        return;
    // Straight from the old unit to the new one, rounded: a detour through
    // whole dots would turn 20 mm into 19.9 mm.
    const int oldX = scaling_ == TScaling::pscDot ? dpiX_ : unitsPerInch();
    const int oldY = scaling_ == TScaling::pscDot ? dpiY_ : unitsPerInch();
    scaling_ = scaling;
    const int newX = scaling_ == TScaling::pscDot ? dpiX_ : unitsPerInch();
    const int newY = scaling_ == TScaling::pscDot ? dpiY_ : unitsPerInch();
    const auto convert = [](int value, int from, int to) {
        return static_cast<int>(std::lround(double(value) * to / from));
    };
    marginLeft_ = convert(marginLeft_, oldX, newX);
    marginRight_ = convert(marginRight_, oldX, newX);
    marginTop_ = convert(marginTop_, oldY, newY);
    marginBottom_ = convert(marginBottom_, oldY, newY);
    canvas().setUnitsPerInch(fontUnitsPerInch());
}

void TXPrint::setMargins(int units) {
    marginLeft_ = marginTop_ = marginRight_ = marginBottom_ = units;
}

bool TXPrint::Aborted() const {
    return target_.hasPrinter() && target_.aborted();
}

int TXPrint::Copies() const {
    return target_.hasPrinter() ? target_.copies() : 1;
}

bool TXPrint::BeginDoc() {
    lastError_.clear();
    if (!target_.hasPrinter() || printing_)
        return false;
    if (const auto error = target_.beginJob({title_, orientation_, paper_})) {
        lastError_ = *error;
        return false;
    }
    printing_ = true;
    const DeviceCaps caps = target_.caps();
    dpiX_ = caps.dpiX;
    dpiY_ = caps.dpiY;
    const int left = toDots(marginLeft_, dpiX_);
    const int right = toDots(marginRight_, dpiX_);
    const int top = toDots(marginTop_, dpiY_);
    const int bottom = toDots(marginBottom_, dpiY_);
    if (scaling_ == TScaling::pscDot) {
        pageWidth_ = caps.physicalWidth - left - right - 1;
        pageHeight_ = caps.physicalHeight - top - bottom - 1;
        target_.setMapping(0, 0, 1, 1);
    } else {
        pageWidth_ = (caps.physicalWidth - left - right - 1) * unitsPerInch() / dpiX_;
        pageHeight_ = (caps.physicalHeight - top - bottom - 1) * unitsPerInch() / dpiY_;
        // The origin is placed exactly, not at the nearest dot, so that a page
        // lands on the same spot of the paper at every resolution.
        const double scaleX = double(dpiX_) / unitsPerInch();
        const double scaleY = double(dpiY_) / unitsPerInch();
        target_.setMapping(marginLeft_ * scaleX - caps.offsetX, marginTop_ * scaleY - caps.offsetY,
                           scaleX, scaleY);
    }
    canvas().setUnitsPerInch(fontUnitsPerInch());
    savedFont_ = canvas().font();
    return true;
}

bool TXPrint::EndDoc() {
    if (!printing_)
        return true;
    const auto error = target_.endJob();
    canvas().setFont(savedFont_);
    printing_ = false;
    if (error) {
        lastError_ = *error;
        return false;
    }
    return true;
}
