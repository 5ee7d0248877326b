#pragma once

#include "TestLabels.h"

#include <QList>

#include <optional>

class TableCursor;

// The labels of the rows of the archive's view, read in one query each and
// never by moving the view's cursor.
namespace test_labels {

// Every row the filter shows, or those of them the search marked (Gefunden).
enum class Rows { All, Marked };

// How many rows of the view are marked; nothing when the table could not be
// read (the store told it).
std::optional<qint64> markedCount(TableCursor& view);
// In the view's order; nothing when the table could not be read.
std::optional<QList<Label>> viewLabels(TableCursor& view, Rows rows, const QString& contractor);

} // namespace test_labels
