#pragma once

#include "RecordTransfer.h"

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QList>
#include <QStringList>
#include <QVariantList>

#include <functional>
#include <optional>

class Prompter;
class TableStore;

// Protocol files and memory entries as new archive rows, written beside the
// archive window's cursor in batches of up to 500 rows or half a second, each
// one transaction. Whatever needs the user (a date, a new customer) first
// writes the rows gathered so far: no question waits while the archive is
// locked, and a crash loses at most the batch being gathered.
class ArchiveImport {
public:
    static constexpr int kBatchRows = 500;
    static constexpr int kBatchMilliseconds = 500;

    struct Outcome {
        int total = 0;
        // What came in and what did not, in the order handed over: file
        // paths, or memory entry numbers.
        QStringList stored;
        // "path: reason" of every file left out on its own account.
        QStringList skipped;
        // Handed over but never reached: after a stop or a failed write.
        QStringList notReached;
        // German reason of the write that failed; empty when none did.
        QString failure;
        bool stopped = false;
        // What was handed over, as the messages name it: "Dateien" /
        // "Einträge", and after "von": "Dateien" / "Einträgen".
        QString items;
        QString ofItems;
        // The flags of the last row stored.
        quint8 lastDiff = 0;
        quint8 lastNiso = 0;
    };

    // The corrected text for an impossible date in the file, or nothing to
    // leave the file out.
    using DateCorrection = std::function<std::optional<QString>(
        const QString& path, const QString& rejected, record_transfer::DateKind)>;
    // Told after a customer not yet in the address book was added.
    using CustomerAdded = std::function<void(const QString& name, qint64 number)>;

    // prompter: only for the progress window.
    ArchiveImport(TableStore& store, Prompter& prompter);

    // today: the day each row's origin is stamped with.
    Outcome importFiles(const QStringList& paths, const QDate& today,
                        const DateCorrection& correctDate, const CustomerAdded& customerAdded);
    Outcome importEntries(const QList<QByteArray>& entries, const QDate& today);

    // A row ready in the archive's field order with its label, or the German
    // reason why it is left out.
    struct ReadyRow {
        QVariantList values;
        QString label;
        QString error;
    };
    // Rows as another archive holds them, numbered after the highest stored
    // one or (numbered false) keeping the numbers they bring.
    Outcome importRows(int total, const std::function<ReadyRow(int index)>& row, bool numbered);

private:
    class Run;

    void loadCustomers();
    // The customer of the row, found among the names read once or matched
    // (and perhaps added) after the rows gathered so far were written.
    // Nothing for an empty name, and nothing when adding failed (the run has
    // then failed).
    std::optional<qint64> customerNumber(Run& run, const record_transfer::RowValues& row,
                                         const CustomerAdded& customerAdded);

    TableStore& store_;
    Prompter& prompter_;
    bool customersLoaded_ = false;
    QHash<QString, qint64> customers_;
};

// What an import tells the user at its end, one message each: the files left
// out, and the account of a stopped or failed import. Empty texts when there
// is nothing to tell.
namespace import_account {
QString skippedText(const ArchiveImport::Outcome& outcome);
QString unfinishedText(const ArchiveImport::Outcome& outcome);
} // namespace import_account
