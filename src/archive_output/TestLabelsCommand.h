#pragma once

#include "TestLabels.h"
#include "print/PrintOutput.h"

#include <optional>

class Prompter;
class TableCursor;

// "Prüfplakette drucken…" of the archive: the labels of the current row, of
// the marked rows or of every row the filter shows, on an A4 sheet or as
// single labels, printed, saved as PDF or previewed.
namespace test_labels {

// MarkedRows: the rows of the filter that the search marked (Gefunden).
enum class Scope { CurrentRow, ViewRows, MarkedRows };

struct Choice {
    Scope scope = Scope::CurrentRow;
    // The first label's place on the sheet, 1 to kPerSheet.
    int startPosition = 1;
    Format format = Format::Sheet;
};

// Asks which rows, in which layout and where on the sheet; nothing when the
// user cancels. Marked rows are offered when the view has some.
class ChoiceQuestion {
public:
    virtual ~ChoiceQuestion() = default;
    virtual std::optional<Choice> askChoice(qint64 markedRows) = 0;
};

// The current row stays the current row.
void run(Prompter& prompter, TableCursor& archive, ChoiceQuestion& question,
         const PrintOutput& output);

} // namespace test_labels
