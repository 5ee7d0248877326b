#include "Raw.h"

#include "tables/GermanCollation.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <sqlite3.h>
#include <vector>

namespace bench {
namespace {

class SqliteQuery : public Query {
public:
    SqliteQuery(sqlite3* db, const QString& sql) {
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement_, nullptr) !=
            SQLITE_OK) {
            fprintf(stderr, "%s: %s\n", qPrintable(sql), sqlite3_errmsg(db));
            std::abort();
        }
    }
    ~SqliteQuery() override { sqlite3_finalize(statement_); }

    void bind(int position, const QString& text) override {
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(statement_, position, utf8.constData(), int(utf8.size()),
                          SQLITE_TRANSIENT);
    }
    void bind(int position, qint64 number) override {
        sqlite3_bind_int64(statement_, position, number);
    }

    int readAll(const QList<int>& keep, QList<QByteArray>* kept) override {
        int rows = 0;
        while (sqlite3_step(statement_) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(statement_); ++i)
                benchmark::DoNotOptimize(sqlite3_column_text(statement_, i));
            ++rows;
            if (kept)
                for (const int column : keep)
                    *kept << QByteArray(
                        reinterpret_cast<const char*>(sqlite3_column_text(statement_, column)));
        }
        sqlite3_reset(statement_);
        return rows;
    }

    sqlite3_stmt* statement() { return statement_; }

private:
    sqlite3_stmt* statement_ = nullptr;
};

class SqliteEngine : public Raw::Engine {
public:
    explicit SqliteEngine(const QString& path) {
        if (sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK) {
            fprintf(stderr, "%s: %s\n", qPrintable(path), sqlite3_errmsg(db_));
            std::abort();
        }
        german_collation::registerOn(db_);
        sqlite3_busy_timeout(db_, 5000);
        exec(QStringLiteral("PRAGMA synchronous=FULL"));
    }
    ~SqliteEngine() override { sqlite3_close(db_); }

    bool onServer() const override { return false; }
    std::unique_ptr<Query> prepare(const QString& sql) override {
        return std::make_unique<SqliteQuery>(db_, sql);
    }
    void exec(const QString& sql) override {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
            fprintf(stderr, "%s: %s\n", qPrintable(sql), error);
            std::abort();
        }
    }
    std::unique_ptr<RowCopy::Rows> copy(Raw& raw, const QString& table,
                                        const QString& condition) override;
    sqlite3* db() { return db_; }

private:
    sqlite3* db_ = nullptr;
};

// The values as SQLite holds them, types and all.
class SqliteRows : public RowCopy::Rows {
public:
    SqliteRows(Raw& raw, const QString& table, const QString& condition)
        : table_(table) {
        auto& read = static_cast<SqliteQuery&>(
            raw.prepare(QStringLiteral("SELECT * FROM %1 WHERE %2").arg(table, condition)));
        sqlite3_stmt* statement = read.statement();
        while (sqlite3_step(statement) == SQLITE_ROW) {
            std::vector<sqlite3_value*> row;
            for (int i = 0; i < sqlite3_column_count(statement); ++i)
                row.push_back(sqlite3_value_dup(sqlite3_column_value(statement, i)));
            rows_.push_back(std::move(row));
        }
        sqlite3_reset(statement);
    }
    ~SqliteRows() override {
        for (const auto& row : rows_)
            for (sqlite3_value* value : row)
                sqlite3_value_free(value);
    }

    int size() const override { return int(rows_.size()); }

    void insertInto(Raw& raw) const override {
        if (rows_.empty())
            return;
        QStringList marks;
        for (size_t i = 0; i < rows_.front().size(); ++i)
            marks << QStringLiteral("?");
        sqlite3_stmt* insert =
            static_cast<SqliteQuery&>(
                raw.prepare(
                    QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(table_, marks.join(u','))))
                .statement();
        for (const auto& row : rows_) {
            for (size_t i = 0; i < row.size(); ++i)
                sqlite3_bind_value(insert, int(i) + 1, row[i]);
            if (sqlite3_step(insert) != SQLITE_DONE) {
                fprintf(stderr, "%s\n",
                        sqlite3_errmsg(static_cast<SqliteEngine&>(raw.engine()).db()));
                std::abort();
            }
            sqlite3_reset(insert);
        }
    }

private:
    QString table_;
    std::vector<std::vector<sqlite3_value*>> rows_;
};

std::unique_ptr<RowCopy::Rows> SqliteEngine::copy(Raw& raw, const QString& table,
                                                  const QString& condition) {
    return std::make_unique<SqliteRows>(raw, table, condition);
}

} // namespace

std::unique_ptr<Raw::Engine> sqliteEngine(const QString& file) {
    return std::make_unique<SqliteEngine>(file);
}

} // namespace bench
