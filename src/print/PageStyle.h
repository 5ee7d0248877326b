#pragma once

#include "Mm100.h"

#include <QString>

// The fonts and pens of the printed pages.
namespace page_style {

// Titles and labels.
inline const QString kLabelFont = QStringLiteral("Times New Roman");
// What is filled in: names, addresses, values.
inline const QString kValueFont = QStringLiteral("Courier New");
inline constexpr int kTitleSize = 16;
inline constexpr int kTextSize = 10;

// Frames and rules of the collective report and the device list.
inline constexpr Mm100 kListPen{30};
// The row lines of the collective report's appendix.
inline constexpr Mm100 kGridPen{15};
// The single report's rules, its check boxes and the crosses in them.
inline constexpr Mm100 kRulePen{20};
inline constexpr Mm100 kBoxPen{25};
inline constexpr Mm100 kCrossPen{45};

} // namespace page_style
