#pragma once

#include <QString>

#include <optional>

class Prompter;
class TableCursor;

// What the search dialog asks for: a field, and the value its text begins with.
struct SearchRequest {
    QString field;
    // Yes/no values as "1" / "0".
    QString value;
    bool cancelled = true;
};

namespace archive_search {

// The value to search for when the text typed for the entry (a position in
// the list of search fields) passes the entry's check, with yes/no values as
// "1" / "0"; otherwise the German reason. The text is taken without blanks
// at both ends.
struct CheckedValue {
    QString value;
    QString error;
};
CheckedValue checkValue(int entry, const QString& typed);

} // namespace archive_search

// Finds archive rows one after the other: each row found gets the mark
// Gefunden, and a continued search goes on to the first match without one.
// Rows are visited in the cursor's order, through its filter.
class ArchiveSearch {
public:
    ArchiveSearch(TableCursor& archive, Prompter& prompter);

    // Takes the marks off every row, shown or not, so that none hides a
    // match from the next search.
    bool clearMarks();
    // Moves to the first match and marks it; "Suche erfolglos" when there is none.
    bool search(const SearchRequest& request);
    // The same for the first match that is not yet marked.
    bool continueSearch();

private:
    bool locateAndMark(bool unmarkedOnly);

    TableCursor& archive_;
    Prompter& prompter_;
    SearchRequest request_;
};
