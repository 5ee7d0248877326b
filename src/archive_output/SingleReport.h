#pragma once

#include "print/PrinterChoice.h"

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

// loadRow, then the print dialog and the page. Nothing is printed without a
// printer or when the dialog is cancelled.
void print(ReportSession& state, Prompter& prompter, TableCursor& archive, TableCursor& customers,
           const PrinterSource& printers);

} // namespace single_report
