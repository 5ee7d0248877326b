#pragma once

#include "Mm100.h"

#include <QPageSize>

// The paper of a page as its layout stands upright; a landscape job turns it.
struct PaperSize {
    Mm100 width;
    Mm100 height;

    constexpr bool operator==(const PaperSize&) const = default;
};

inline constexpr PaperSize kA4Paper{Mm100(21000), Mm100(29700)};

// Exactly this size: a near standard size would move the layout on the paper.
QPageSize qtPageSize(const PaperSize& paper);
