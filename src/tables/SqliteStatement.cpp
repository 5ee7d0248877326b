#include "SqliteStatement.h"

#include <QSqlDatabase>
#include <QSqlDriver>

#include <sqlite3.h>

namespace sqlite_engine {

sqlite3* handle(const QSqlDatabase& database) {
    return *static_cast<sqlite3* const*>(database.driver()->handle().constData());
}

QSqlError lastError(sqlite3* db) {
    return QSqlError(QString(), QString::fromUtf8(sqlite3_errmsg(db)), QSqlError::StatementError,
                     QString::number(sqlite3_errcode(db)));
}

namespace {

class SqliteStatement final : public SqlStatement {
public:
    explicit SqliteStatement(sqlite3_stmt* statement)
        : statement_(statement) {}
    ~SqliteStatement() override { sqlite3_finalize(statement_); }

    void bind(int position, const QVariant& value) override {
        if (!value.isValid()) {
            sqlite3_bind_null(statement_, position);
        } else if (value.typeId() == QMetaType::QString) {
            const QByteArray utf8 = value.toString().toUtf8();
            sqlite3_bind_text(statement_, position, utf8.constData(), int(utf8.size()),
                              SQLITE_TRANSIENT);
        } else {
            sqlite3_bind_int64(statement_, position, value.toLongLong());
        }
    }

    bool step() override {
        const int result = sqlite3_step(statement_);
        if (result == SQLITE_ROW)
            return true;
        error_ = result == SQLITE_DONE ? QSqlError() : lastError(sqlite3_db_handle(statement_));
        sqlite3_reset(statement_);
        return false;
    }

    void reset() override { sqlite3_reset(statement_); }
    QSqlError error() const override { return error_; }
    int columnCount() const override { return sqlite3_column_count(statement_); }

    bool isNull(int column) const override {
        return sqlite3_column_type(statement_, column) == SQLITE_NULL;
    }

    qint64 integer(int column) const override { return sqlite3_column_int64(statement_, column); }

    QByteArrayView text(int column) const override {
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
        return QByteArrayView(bytes, sqlite3_column_bytes(statement_, column));
    }

    QVariant value(int column) const override {
        const int type = sqlite3_column_type(statement_, column);
        if (type == SQLITE_NULL)
            return QVariant();
        if (type == SQLITE_INTEGER)
            return QVariant(qint64(sqlite3_column_int64(statement_, column)));
        const QByteArrayView bytes = text(column);
        return QVariant(QString::fromUtf8(bytes.data(), bytes.size()));
    }

private:
    sqlite3_stmt* statement_;
    QSqlError error_;
};

} // namespace

std::unique_ptr<SqlStatement> prepare(sqlite3* db, const QString& sql, QSqlError* error) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK) {
        if (error)
            *error = lastError(db);
        return nullptr;
    }
    return std::make_unique<SqliteStatement>(statement);
}

} // namespace sqlite_engine
