#pragma once

#include "SqlStatement.h"

#include <memory>

struct sqlite3;
struct sqlite3_stmt;
class QSqlDatabase;

namespace sqlite_engine {
sqlite3* handle(const QSqlDatabase& database);
QSqlError lastError(sqlite3* db);
// Null with the engine's error when the text does not compile.
std::unique_ptr<SqlStatement> prepare(sqlite3* db, const QString& sql, QSqlError* error);
} // namespace sqlite_engine
