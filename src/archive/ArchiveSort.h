#pragma once

#include <QString>
#include <QStringList>

class TableCursor;

// Up to three fields the archive rows are ordered by: positions in
// archive_sort::labels() counted from 1, 0 for none.
struct SortCriteria {
    int first = 1;
    int second = 0;
    int third = 0;

    bool operator==(const SortCriteria&) const = default;
};

namespace archive_sort {

// "lfd. Nr." to "Datum", for positions 1 to 12.
const QStringList& labels();

// No field twice: a repeated second or third criterion becomes none. No
// first criterion means the running number.
void dropRepeats(SortCriteria& criteria);
// The fields of the order joined by ";"; the running number closes it, so
// that rows with equal fields keep their numbers' order.
QString fieldList(const SortCriteria& criteria);

// Orders the archive by the criteria: the running number alone by index
// "Standard", anything else by index "Aktuell", made anew. The filter stays.
bool apply(TableCursor& archive, SortCriteria& criteria);

} // namespace archive_sort
