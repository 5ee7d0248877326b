#pragma once

#include "SqlStatement.h"

#include <memory>

struct pg_conn;
struct pg_result;
class QSqlDatabase;

namespace postgres_engine {
pg_conn* handle(const QSqlDatabase& database);
// The server's SQLSTATE as the native code, its message as the text.
QSqlError errorOf(const pg_result* result, pg_conn* connection);
// "?" marks as the server's "$1", "$2", …; quoted texts and names kept.
QString numberedPlaceholders(const QString& sql);
// Null with the server's error when the text does not compile. When it owns
// the connection, the statement closes it at its end.
std::unique_ptr<SqlStatement> prepare(pg_conn* connection, const QString& sql, QSqlError* error,
                                      bool ownsConnection = false);
} // namespace postgres_engine
