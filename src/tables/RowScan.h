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
