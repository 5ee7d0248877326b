#pragma once

#include <QVariantList>

#include <optional>

class Prompter;
class TableCursor;

// The rules of the archive table "zt" that every writer follows.
namespace archive_table {

// Index "Standard" on Zaehler, added when missing; leaves the cursor open on it.
bool ensureStandardIndex(TableCursor& archive);

// The number for a new row: the last Zaehler in "Standard" order with the
// filter off, plus 1; 1 for an empty table. Leaves the cursor that way.
qint64 nextNumber(TableCursor& archive);

// Stores a whole row under the next number (the first value is replaced by
// it), then restores the previous index, goes to the first row and switches
// filtering on again. The number, or 0 when nothing was stored.
qint64 appendRow(TableCursor& archive, QVariantList values);

// The archive window's before-post handler: trims the texts and turns
// Ordnung into "j"/"n", explaining any other text. An edit keeps the row's
// Diff; diffFromReport is given where the row's values come from the current
// report (a row taken back from the report wizard).
void normaliseBeforePost(TableCursor& archive, Prompter& prompter,
                         std::optional<bool> diffFromReport);

// The same rules on the values of a row an import writes beside the cursor:
// trimmed texts and "j"/"n" without a word; Diff stays as the row brings it.
void normaliseImportedRow(QVariantList& values);

inline constexpr const char* kOrdnungNotice =
    "Nur 'J' oder 'Ja' (Groß-oder Kleinschreibung ) werden als 'Prüfung OK ' interpretiert, "
    "alles andere als 'Prüfung nicht OK'";

} // namespace archive_table
