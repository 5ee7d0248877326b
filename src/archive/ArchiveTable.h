#pragma once

#include <QVariantList>

#include <optional>

class Prompter;
class TableCursor;

// The rules of the archive table "zt" for the values of a row: trimmed
// texts and the verdict Ordnung as "j" or "n". How new rows are numbered is
// in report/ArchiveNumbering.h.
namespace archive_table {

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
