#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QVariantList>

// One pass over a query straight through SQLite, keeping every stride-th
// row; far cheaper than QSqlQuery when a million keys go by, or a page of 45
// columns is read.
struct RowScan {
    int rows = 0;
    QList<QVariantList> keys;
    QSqlError error;

    bool ok() const { return !error.isValid(); }
};

RowScan scanRows(const QSqlDatabase& database, const QString& sql, const QVariantList& values,
                 int stride);

struct sqlite3;
struct sqlite3_stmt;

// The pieces for reading through SQLite beside Qt, on Qt's own connection.
namespace row_scan {
sqlite3* handle(const QSqlDatabase& database);
// Texts as text, no value as NULL, everything else as a 64-bit integer.
void bind(sqlite3_stmt* statement, int position, const QVariant& value);
// NULL as an invalid QVariant.
QVariant column(sqlite3_stmt* statement, int column);
QSqlError lastError(sqlite3* db);
} // namespace row_scan
