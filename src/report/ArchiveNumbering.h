#pragma once

#include <QVariantList>

class TableCursor;

// How a new row of the archive table "zt" gets its number. Every writer of
// new rows follows it: the archive's imports and the tester's hand-over.
namespace archive_table {

// Index "Standard" on Zaehler, added when missing; leaves the cursor open on it.
bool ensureStandardIndex(TableCursor& archive);

// The number for a new row: the last Zaehler in "Standard" order with the
// filter off, plus 1; 1 for an empty table. Leaves the cursor that way.
qint64 nextNumber(TableCursor& archive);

// Stores a whole row under the next number (the first value is replaced by
// it; the next free one when another PC took it meanwhile), then restores
// the previous index, goes to the first row and switches filtering on
// again. The number stored, or 0 when nothing was stored.
qint64 appendRow(TableCursor& archive, QVariantList values);

} // namespace archive_table
