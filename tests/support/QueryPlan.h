#pragma once

#include <QString>
#include <QStringList>

#include <sqlite3.h>

// Every statement the connection runs while one lives, and SQLite's plan of a
// statement, for tests that a step seeks an index and never sorts.
class StatementTrace {
public:
    explicit StatementTrace(sqlite3* db)
        : db_(db) {
        sqlite3_trace_v2(db_, SQLITE_TRACE_STMT, note, &statements_);
    }
    ~StatementTrace() { sqlite3_trace_v2(db_, 0, nullptr, nullptr); }
    StatementTrace(const StatementTrace&) = delete;
    StatementTrace& operator=(const StatementTrace&) = delete;

    const QStringList& statements() const { return statements_; }

private:
    static int note(unsigned, void* context, void* statement, void*) {
        static_cast<QStringList*>(context)->append(
            QString::fromUtf8(sqlite3_sql(static_cast<sqlite3_stmt*>(statement))));
        return 0;
    }

    sqlite3* db_;
    QStringList statements_;
};

// The steps of SQLite's plan for a statement, parameters left unbound.
inline QStringList planOf(sqlite3* db, const QString& sql) {
    sqlite3_stmt* statement = nullptr;
    QStringList steps;
    if (sqlite3_prepare_v2(db, ("EXPLAIN QUERY PLAN " + sql).toUtf8().constData(), -1, &statement,
                           nullptr) != SQLITE_OK)
        return {QStringLiteral("FEHLER ") + QString::fromUtf8(sqlite3_errmsg(db))};
    while (sqlite3_step(statement) == SQLITE_ROW)
        steps << QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_column_text(statement, 3)));
    sqlite3_finalize(statement);
    return steps;
}
