#pragma once

#include <QList>
#include <QString>
#include <QVariantList>

#include <memory>
#include <optional>

class TableStore;
struct TableDefinition;
class SqlStatement;

// Many new rows written beside the cursors, one transaction per batch. The
// write lock is taken before the numbers are read, so no other writer can
// take one of them in between; nothing is shown to the user while the
// transaction is open (the caller tells what happened afterwards).
class BatchInsert {
public:
    // numbered: each row's first field gets the next number (the highest
    // stored one plus 1) when the batch is written.
    BatchInsert(TableStore& store, const QString& table, bool numbered);
    ~BatchInsert();
    BatchInsert(const BatchInsert&) = delete;
    BatchInsert& operator=(const BatchInsert&) = delete;

    // Values in field order as a cursor's insertRecord takes them (fewer fill
    // the leading fields; an invalid QVariant stores no value). Kept for the
    // next write; the German reason when a value does not fit its field.
    std::optional<QString> add(const QVariantList& values);
    int pending() const { return int(rows_.size()); }

    struct Written {
        int rows = 0;
        qint64 firstNumber = 0; // of the first row written, when numbered
        QString error;          // German; empty when every row was stored
        bool ok() const { return error.isEmpty(); }
    };
    // Stores the rows added since the last write, all or none.
    Written write();

private:
    enum class Attempt { Stored, KeyTaken, Failed };
    Attempt attempt(Written& written);
    bool prepare(QString* error);
    QString describe(const SqlStatement& statement) const;

    TableStore& store_;
    const TableDefinition& definition_;
    bool numbered_;
    QList<QVariantList> rows_;
    std::unique_ptr<SqlStatement> insert_;
    std::unique_ptr<SqlStatement> highest_;
};
