#include "RowScan.h"

#include "SqlStatement.h"
#include "TableStore.h"

RowScan scanRows(TableStore& store, const QString& sql, const QVariantList& values, int stride) {
    RowScan scan;
    const auto statement = store.prepare(sql, &scan.error);
    if (!statement)
        return scan;
    for (int i = 0; i < values.size(); ++i)
        statement->bind(i + 1, values[i]);
    const int columns = statement->columnCount();
    while (statement->step()) {
        if (scan.rows % stride == 0) {
            QVariantList key;
            key.reserve(columns);
            for (int i = 0; i < columns; ++i)
                key << statement->value(i);
            scan.keys << key;
        }
        ++scan.rows;
    }
    scan.error = statement->error();
    return scan;
}
