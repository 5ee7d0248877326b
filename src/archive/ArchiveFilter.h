#pragma once

#include <QString>
#include <QStringList>

#include <array>

class TableCursor;

// Up to five conditions on archive fields, each joined to the one before by
// "und" or "oder", as the filter dialog holds them between its openings.
struct FilterConditions {
    static constexpr int kMaxRows = 5;
    int rows = 1;
    // Per condition: the position in fieldLabels(), 0 = none.
    std::array<int, kMaxRows> field{};
    // Per condition: the position in operators().
    std::array<int, kMaxRows> op{};
    // For conditions 2 to 5: 0 none, 1 "und", 2 "oder".
    std::array<int, kMaxRows - 1> link{};
    // Without blanks at both ends; yes/no values as "1" / "0".
    std::array<QString, kMaxRows> value;
    // The dialog was left by "&Filter löschen".
    bool deleted = false;
    // The archive was shown again: the dialog starts afresh at its next opening.
    bool resetPending = false;

    // Every condition empty, one row shown; the two flags stay.
    void clear();
};

namespace archive_filter {

// The field list: an empty entry, then the labels of the archive fields.
QStringList fieldLabels();
const QStringList& operators();
// "", "und", "oder".
const QStringList& linkLabels();
// Field positions whose values are yes/no.
bool isYesNoField(int position);

// A refusal, or a notice after which the dialog still closes.
struct CheckResult {
    bool valid = true;
    QString message;
    QString caption;
};
// Checks the conditions as the user typed them; when they are valid, turns
// the yes/no values into "1" / "0".
CheckResult check(FilterConditions& conditions);

// The filter text, e.g. Auftraggeber='Meier' AND Termin<= 31.12.2011 and a blank.
QString filterText(const FilterConditions& conditions);

// Sets the filter on the archive and shows the rows it lets through. False
// (the filter as it was) when the table refuses the text.
bool apply(TableCursor& archive, const QString& text);
// Whether a filter text filters at all, and the caption of the archive with it.
bool isActive(const QString& text);
QString archiveCaption(const QString& text);

} // namespace archive_filter
