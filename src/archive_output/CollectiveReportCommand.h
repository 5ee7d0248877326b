#pragma once

#include "CollectiveReport.h"
#include "print/PrintOutput.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>

class QDate;
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
         const PrintOutput& output);

// Cover and appendix pages, each one job of the target, in their order;
// a page that could not be printed is told.
void draw(PrintTarget& target, const Report& report,
          const std::function<void(const QString&)>& tell);

// The PDF file name proposed: the report's number, or else the customer and today.
QString pdfName(const Report& report, const QDate& today);

// Every archive row of one customer in number order, with the customer's and
// the contractor's addresses; the archive is left filtered on them. Nothing
// when the archive cannot be read.
std::optional<Report> customerReport(TableCursor& archive, TableCursor& customers,
                                     qint64 customerNumber);

} // namespace collective_report
