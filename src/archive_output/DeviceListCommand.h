#pragma once

#include "print/PrinterChoice.h"

struct AppState;
class Prompter;
class TableCursor;
class TFormListe;
class TFormListenformat;

namespace device_list {

// The archive's "Liste": asks for customer, range and format, prints the
// customer's devices due in the range in the order of their next test, and
// leaves the archive view with the filter and index it had.
void run(AppState& state, Prompter& prompter, TableCursor& archive, TFormListe& request,
         TFormListenformat& formatChoice, const PrinterSource& printers);

} // namespace device_list
