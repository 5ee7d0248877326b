#pragma once

#include "print/PrintOutput.h"

struct ReportSession;
class Prompter;
class TableCursor;

// The test report of one archive row, printed as the report page with the
// archive's differences: "Prüfung" without colon, the whole stored values,
// and the limits following the row's own insulation flag.
namespace single_report {

// Makes the row under the archive cursor the current record, with its
// customer's and the contractor's addresses.
void loadRow(ReportSession& state, Prompter& prompter, TableCursor& archive,
             TableCursor& customers);

// The page of the current record as one job of the target.
void drawRow(PrintTarget& target, ReportSession& state, Prompter& prompter);

// loadRow, then the page where `output` says. Nothing is printed without a
// printer or when the dialog is cancelled.
void print(ReportSession& state, Prompter& prompter, TableCursor& archive, TableCursor& customers,
           const PrintOutput& output);

} // namespace single_report
