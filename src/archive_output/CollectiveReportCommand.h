#pragma once

#include "CollectiveReport.h"
#include "print/PrinterChoice.h"

#include <QString>

#include <array>
#include <optional>

class Prompter;
class TableCursor;

namespace collective_report {

// The cover, the number and the remarks the user gave for a collective report.
struct FormatChoice {
    Cover cover = Cover::Portrait;
    QString number;
    std::array<QString, 6> remarks;
};

// What the report asks the user. The program's window answers; tests script it.
class FormatQuestion {
public:
    virtual ~FormatQuestion() = default;
    // Nothing when the user cancelled.
    virtual std::optional<FormatChoice> askFormat() = 0;
};

// The archive's "Sammelprotokoll": every row the archive view shows, in the
// order verdict then number, on one customer's collective report. The view
// keeps its index and the row it stood on.
void run(Prompter& prompter, TableCursor& archive, TableCursor& customers, FormatQuestion& format,
         const PrinterSource& printers);

} // namespace collective_report
