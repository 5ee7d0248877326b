#include "ResultHandover.h"

#include "RemoteArchiveRow.h"
#include "common/Prompter.h"
#include "report/ArchiveNumbering.h"
#include "report/ReportSession.h"
#include "tables/TableCursor.h"
#include "tester/TesterConnection.h"

#include <utility>

ResultHandover::ResultHandover(ReportSession& state, const TesterConnection& tester,
                               Prompter& prompter, TableStore& tables, HandoverWindows windows,
                               Today today)
    : state_(state)
    , tester_(tester)
    , prompter_(prompter)
    , windows_(std::move(windows))
    , today_(std::move(today))
    , Table1(std::make_unique<TableCursor>(tables, QStringLiteral("zt"))) {}

ResultHandover::~ResultHandover() = default;

void ResultHandover::prepareArchive() {
    // A table that cannot be prepared has been reported; numbering works without the index.
    archive_table::ensureStandardIndex(*Table1);
    Table1->close();
}

void ResultHandover::handOver(bool resultsAvailable) {
    // Values that are not handed over stay as the tester sent them.
    if (!resultsAvailable)
        return;
    const bool reportWanted = windows_.askReport && windows_.askReport();
    ReportState& report = state_.report;
    // Newer testers measure the protective conductor before the insulation in
    // a periodic test of class 1; reports name the insulation first.
    if (tester_.ProtocolVersion > 3 && report.testKind == 2 &&
        (report.protectionClass == 1 || report.protectionClass == 4) && report.niso == 0)
        std::swap(report.values[0], report.values[1]);
    if (reportWanted) {
        report.newReport = 1;
        if (windows_.wizard)
            windows_.wizard();
        if (windows_.savePrint)
            windows_.savePrint();
        return;
    }
    if (prompter_.message(QStringLiteral("Sollen die Messwerte im Archiv abgelegt werden?"),
                          QStringLiteral("Frage"),
                          Prompter::Buttons::YesNo) == Prompter::Answer::Yes)
        appendArchiveRow();
}

void ResultHandover::appendArchiveRow() {
    remote_archive_row::writeIntoRecord(state_.record, state_.report);
    // Numbering and storing in one exclusive transaction: another program
    // cannot take the same number, and a locked table is reported once.
    TableStore& store = Table1->store();
    const QString table = Table1->tableName();
    if (!store.begin(table, true))
        return;
    qint64 number = 0;
    if (Table1->open()) {
        number = archive_table::appendRow(*Table1,
                                          remote_archive_row::rowValues(state_.record, today_()));
        Table1->close();
    }
    // A row the table refused has been reported; it is not announced as stored.
    if (number == 0) {
        store.rollback(table);
        return;
    }
    if (!store.commit(table))
        return;
    prompter_.message(
        QStringLiteral("Messung wurde unter der lfd. Nr. %1 ins Archiv übernommen").arg(number),
        QStringLiteral("Meldung"), Prompter::Buttons::Ok);
}
