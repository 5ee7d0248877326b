#pragma once

#include <QString>

#include <optional>

// A date typed as TTMMJJJJ into the mask "__.__.____": the German message that
// sends the user back, or nothing when the entry is a real calendar date.
std::optional<QString> checkDateEntry(const QString& text);
