#pragma once

#include "ReportState.h"

#include <QString>

#include <array>
#include <optional>

struct Protokoll;
class Prompter;
class TXPrint;

// The printed test report "Prüfprotokoll für elektrische Geräte": one portrait
// page in 1/100 mm on a TXPrint set to pscMetric100 with 20 mm margins.
namespace report_page {

// The archive prints the same page with a few differences.
struct Variant {
    QString testKindLabel = QStringLiteral("Prüfung:");
    // Characters of a measured value that are printed (blanks then removed).
    int valueLength = kMeasuredValueLength;
};

struct Problem {
    QString text;
    QString caption;
};

// The three "Grenzwerte:" texts. Kept by the caller from one print to the
// next: a test outside the limit table prints those of the previous report.
using LimitTexts = std::array<QString, 3>;

// Prints the page of `record`; the limits follow class, test kind and niso of
// `state`. Nothing is printed and the reason returned when a job is already
// running, there is no printer or the printing system fails.
std::optional<Problem> print(TXPrint& print, const Protokoll& record, const ReportState& state,
                             LimitTexts& limitTexts, const Variant& variant = {});

// The same, telling the user of a problem.
void printWithMessages(TXPrint& print, Prompter& prompter, const Protokoll& record,
                       const ReportState& state, LimitTexts& limitTexts,
                       const Variant& variant = {});

// The PDF file name proposed for the page: the order number, or else the
// customer and the date of the test.
QString pdfName(const Protokoll& record);

// Sets what the report window's print component needs for this page:
// 1/100 mm, 20 mm margins, title "ZT0701", portrait, "Times New Roman" bold.
void configure(TXPrint& print);

} // namespace report_page
