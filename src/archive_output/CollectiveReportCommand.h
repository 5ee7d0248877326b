#pragma once

#include "print/PrinterChoice.h"

class Prompter;
class TableCursor;
class TFormSammelFormat;

namespace collective_report {

// The archive's "Sammelprotokoll": every row the archive view shows, in the
// order verdict then number, on one customer's collective report. The view
// keeps its index and the row it stood on.
void run(Prompter& prompter, TableCursor& archive, TableCursor& customers,
         TFormSammelFormat& format, const PrinterSource& printers);

} // namespace collective_report
