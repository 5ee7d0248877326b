#include "RowScan.h"

#include <QSqlDriver>

#include <sqlite3.h>

namespace row_scan {

sqlite3* handle(const QSqlDatabase& database) {
    return *static_cast<sqlite3* const*>(database.driver()->handle().constData());
}

QSqlError lastError(sqlite3* db) {
    return QSqlError(QString(), QString::fromUtf8(sqlite3_errmsg(db)), QSqlError::StatementError,
                     QString::number(sqlite3_errcode(db)));
}

void bind(sqlite3_stmt* statement, int position, const QVariant& value) {
    if (!value.isValid()) {
        sqlite3_bind_null(statement, position);
    } else if (value.typeId() == QMetaType::QString) {
        const QByteArray utf8 = value.toString().toUtf8();
        sqlite3_bind_text(statement, position, utf8.constData(), int(utf8.size()),
                          SQLITE_TRANSIENT);
    } else {
        sqlite3_bind_int64(statement, position, value.toLongLong());
    }
}

QVariant column(sqlite3_stmt* statement, int column) {
    const int type = sqlite3_column_type(statement, column);
    if (type == SQLITE_NULL)
        return QVariant();
    if (type == SQLITE_INTEGER)
        return QVariant(qint64(sqlite3_column_int64(statement, column)));
    return QVariant(
        QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                          sqlite3_column_bytes(statement, column)));
}

} // namespace row_scan

using namespace row_scan;

RowScan scanRows(const QSqlDatabase& database, const QString& sql, const QVariantList& values,
                 int stride) {
    RowScan scan;
    sqlite3* db = handle(database);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK) {
        scan.error = lastError(db);
        return scan;
    }
    for (int i = 0; i < values.size(); ++i)
        bind(statement, i + 1, values[i]);
    const int columns = sqlite3_column_count(statement);
    int result = SQLITE_ROW;
    while ((result = sqlite3_step(statement)) == SQLITE_ROW) {
        if (scan.rows % stride == 0) {
            QVariantList key;
            for (int i = 0; i < columns; ++i)
                key << column(statement, i);
            scan.keys << key;
        }
        ++scan.rows;
    }
    if (result != SQLITE_DONE)
        scan.error = lastError(db);
    sqlite3_finalize(statement);
    return scan;
}
