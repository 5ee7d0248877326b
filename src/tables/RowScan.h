#pragma once

#include <QList>
#include <QSqlError>
#include <QVariantList>

class TableStore;

// One pass over a query straight through the engine, keeping every stride-th
// row; far cheaper than QSqlQuery when a million keys go by, or a page of 45
// columns is read.
struct RowScan {
    int rows = 0;
    QList<QVariantList> keys;
    QSqlError error;

    bool ok() const { return !error.isValid(); }
};

RowScan scanRows(TableStore& store, const QString& sql, const QVariantList& values, int stride);
