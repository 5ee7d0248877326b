#include "SingleReport.h"

#include "archive/RecordTransfer.h"
#include "archive/RowAddresses.h"
#include "common/Prompter.h"
#include "print/TXPrint.h"
#include "report/ReportPage.h"
#include "report/ReportSession.h"
#include "tables/TableCursor.h"

namespace single_report {

void loadRow(ReportSession& state, Prompter& prompter, TableCursor& archive,
             TableCursor& customers) {
    Protokoll& record = state.record;
    loadAddresses(customers, prompter, archive.integer(QStringLiteral("Kundennummer")), record);
    record_transfer::rowToRecord(archive, record);
    const record_transfer::RowTest test = record_transfer::rowTest(archive);
    if (test.protectionClass)
        state.report.protectionClass = *test.protectionClass;
    state.report.testKind = test.testKind;
}

void drawRow(PrintTarget& target, ReportSession& state, Prompter& prompter) {
    TXPrint XPrint1(target);
    report_page::configure(XPrint1);
    // The limits follow the row's insulation flag; the report state keeps its own.
    ReportState pageState = state.report;
    pageState.niso = state.record.Niso;
    report_page::Variant variant;
    variant.testKindLabel = QStringLiteral("Prüfung");
    variant.valueLength = 15;
    report_page::printWithMessages(XPrint1, prompter, state.record, pageState, state.limitTexts,
                                   variant);
}

void print(ReportSession& state, Prompter& prompter, TableCursor& archive, TableCursor& customers,
           const PrintOutput& output) {
    if (archive.isEmpty())
        return;
    loadRow(state, prompter, archive, customers);
    deliver(prompter, output, report_page::pdfName(state.record),
            [&](PrintTarget& target) { drawRow(target, state, prompter); });
}

} // namespace single_report
