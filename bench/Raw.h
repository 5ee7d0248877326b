#pragma once

// The references: the database asked directly through its engine's own
// library (SQLite's C API on the file, libpq on the server), with the same
// statements the table store sends.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <unordered_map>

struct ServerAddress;

namespace bench {

struct Dataset;

// One prepared statement; values bound by position from 1.
class Query {
public:
    virtual ~Query() = default;
    virtual void bind(int position, const QString& text) = 0;
    virtual void bind(int position, qint64 number) = 0;
    // Runs it and reads every column of every row, as the store does; the
    // number of rows. The columns listed in keep go into kept, row by row.
    virtual int readAll(const QList<int>& keep = {}, QList<QByteArray>* kept = nullptr) = 0;
};

class Raw {
public:
    class Engine;
    // SQLite's file, with the program's collation registered and every write
    // on disk when it returns, as the store has it.
    explicit Raw(const QString& sqliteFile);
    // The server's database, on a connection of its own.
    explicit Raw(const ServerAddress& server);
    // The dataset's archive, on whichever engine holds it.
    explicit Raw(const Dataset& data);
    ~Raw();
    Raw(const Raw&) = delete;
    Raw& operator=(const Raw&) = delete;

    bool onServer() const;
    // Appended to a column: compares it byte by byte.
    QString exactCollation() const;
    // "?" marks; prepared at its first use, kept with the connection.
    Query& prepare(const QString& sql);
    // Aborts the benchmark run when the statement fails.
    void exec(const QString& sql);
    qint64 integer(const QString& sql);
    // The count and the first page of 64 rows with every column, in that order.
    void countAndFirstPage(const QString& order, const QString& where = {});

    Engine& engine() { return *engine_; }

private:
    std::unique_ptr<Engine> engine_;
    std::unordered_map<QString, std::unique_ptr<Query>> queries_;
};

// Rows read back from a table, to be written again elsewhere exactly as they were.
class RowCopy {
public:
    class Rows {
    public:
        virtual ~Rows() = default;
        virtual int size() const = 0;
        virtual void insertInto(Raw& raw) const = 0;
    };
    RowCopy() = default;
    RowCopy(Raw& raw, const QString& table, const QString& condition);
    int size() const { return rows_ ? rows_->size() : 0; }
    bool isEmpty() const { return size() == 0; }
    // Inserts them with one prepared statement, inside the caller's transaction.
    void insertInto(Raw& raw) const;

private:
    std::unique_ptr<Rows> rows_;
};

class Raw::Engine {
public:
    virtual ~Engine() = default;
    virtual bool onServer() const = 0;
    virtual std::unique_ptr<Query> prepare(const QString& sql) = 0;
    virtual void exec(const QString& sql) = 0;
    virtual std::unique_ptr<RowCopy::Rows> copy(Raw& raw, const QString& table,
                                                const QString& condition) = 0;
};

// The server keeps the fields' names as written, so the store quotes them;
// the statements here are written once for both engines, without quotes.
QString quotedFields(const QString& sql);

std::unique_ptr<Raw::Engine> sqliteEngine(const QString& file);
std::unique_ptr<Raw::Engine> postgresEngine(const ServerAddress& server);

} // namespace bench
