#include "RowStream.h"

#include "RowScan.h"
#include "TableStore.h"

#include <sqlite3.h>

RowStream::RowStream(TableStore& store, const QString& sql, const QVariantList& values)
    : store_(store) {
    if (!store_.open()) {
        error_ =
            QStringLiteral("Die Datenbank \"%1\" ist nicht geöffnet.").arg(store_.databasePath());
        return;
    }
    if (sqlite3_prepare_v2(row_scan::handle(store_.database()), sql.toUtf8().constData(), -1,
                           &statement_, nullptr) != SQLITE_OK) {
        fail();
        return;
    }
    for (int i = 0; i < values.size(); ++i)
        row_scan::bind(statement_, i + 1, values[i]);
}

RowStream::~RowStream() {
    sqlite3_finalize(statement_);
}

void RowStream::fail() {
    error_ = store_.describe(QStringLiteral("zt"),
                             row_scan::lastError(row_scan::handle(store_.database())));
    sqlite3_finalize(statement_);
    statement_ = nullptr;
}

bool RowStream::next() {
    if (!statement_)
        return false;
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW)
        return true;
    if (result != SQLITE_DONE)
        fail();
    else
        sqlite3_reset(statement_);
    return false;
}

bool RowStream::isNull(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

qint64 RowStream::integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

QByteArrayView RowStream::text(int column) const {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return QByteArrayView(bytes, sqlite3_column_bytes(statement_, column));
}
