#pragma once

#include <QString>

#include <optional>

// What is wrong with a date typed as TTMMJJJJ into the mask "__.__.____".
enum class DateEntryProblem {
    Format,    // not eight digits
    NoSuchDate // the calendar has no such day (32., month 13, 31.02., day or month 00)
};
std::optional<DateEntryProblem> dateEntryProblem(const QString& text);

// The German message that sends the user back, or nothing when the entry is
// a real calendar date.
std::optional<QString> checkDateEntry(const QString& text);
