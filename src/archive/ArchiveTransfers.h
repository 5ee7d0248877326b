#pragma once

#include "ArchiveImport.h"
#include "RecordTransfer.h"

#include <QDate>
#include <QStringList>

#include <functional>

struct ReportSession;
class Prompter;
class TableCursor;

// What the archive does with the report windows and protocol files: it opens
// a row in the wizard and takes the edits back, and it imports files as rows.
class ArchiveTransfers {
public:
    // The report windows a row goes through, each shown until the user
    // closes it; one not given is left out. The program's windows stand
    // behind them, tests script them.
    struct Windows {
        std::function<void()> wizard;
        std::function<void()> savePrint;
        // The real date typed in place of an impossible one.
        std::function<QString(const DateQuestion&)> askDate;
    };

    // The day imported rows are stamped with.
    using Today = std::function<QDate()>;

    // archive: the archive window's cursor; customers: closed, opened while used.
    ArchiveTransfers(ReportSession& state, Prompter& prompter, TableCursor& archive,
                     TableCursor& customers, Today today = &QDate::currentDate);
    void setWindows(const Windows& windows) { windows_ = windows; }

    // Takes the current row through wizard and save/print window and, when
    // the user agrees, writes the edits back into the row.
    void openRowInWizard();

    // One new row per file, in the given order, written in batches beside
    // the cursor, which shows the first row afterwards. filterActive: the
    // archive shows a filtered view, so the new rows may not be seen. The
    // number of rows stored.
    int importFiles(const QStringList& paths, bool filterActive);

    // One new row per kept entry of the tester's memory.
    int importMemoryEntries(const QList<QByteArray>& entries, bool filterActive);

    // The older program's tables "zt.DB" and "kunden.DB" in the folder, after
    // the user has agreed to what they bring.
    int importLegacyTables(const QString& folder, bool filterActive);

    // While a row taken through the wizard is written back: the report's
    // Diff, which the row takes over. Nothing otherwise.
    std::optional<bool> diffOfWriteBack() const;

private:
    void loadRowIntoReport();
    void writeBack();
    QString correctDate(const QString& rejected, record_transfer::DateKind kind);
    // Shows the imported rows and tells what did not come in.
    void finishImport(const ArchiveImport::Outcome& outcome, bool filterActive);
    void tellNewCustomer();
    // New rows may hide behind the filter; told once after the last.
    void tellAboutFilter(int rows, bool filterActive);

    ReportSession& state_;
    Prompter& prompter_;
    TableCursor& archive_;
    TableCursor& customers_;
    Windows windows_;
    Today today_;
    // The file the date dialog names: the one being imported, or the last one.
    QString importFileName_;
    bool writingBack_ = false;
};
