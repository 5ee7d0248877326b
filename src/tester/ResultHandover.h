#pragma once

#include <QDate>

#include <functional>
#include <memory>

struct ReportSession;
struct TesterConnection;
class Prompter;
class TableCursor;
class TableStore;

// The windows the results go through, each shown modally.
struct HandoverWindows {
    std::function<bool()> askReport; // true: a report is wanted
    std::function<void()> wizard;
    std::function<void()> savePrint;
};

// After the remote control has ended, the measured values go either into a
// report (wizard, then save/print) or, after a question, straight into the
// archive as a new row.
class ResultHandover {
public:
    using Today = std::function<QDate()>;

    ResultHandover(ReportSession& state, const TesterConnection& tester, Prompter& prompter,
                   TableStore& tables, HandoverWindows windows, Today today = &QDate::currentDate);
    ~ResultHandover();

    // The archive gets its "Standard" index before the first row is numbered.
    void prepareArchive();
    void handOver(bool resultsAvailable);

private:
    void appendArchiveRow();

    ReportSession& state_;
    const TesterConnection& tester_;
    Prompter& prompter_;
    HandoverWindows windows_;
    Today today_;
    std::unique_ptr<TableCursor> Table1;
};
