#pragma once

#include "DatabaseLocation.h"
#include "TableDefinition.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class Prompter;
class QSqlError;
class SqlStatement;

// One part of a named index: a field, compared case-insensitively (German
// folding) or exactly.
struct IndexTerm {
    int field;
    bool exact;
};

// The database of the archive and the customers: one SQLite file in the data
// directory, or a database on a PostgreSQL server shared by several PCs,
// holding the tables "zt" and "kunden", created with their full definition
// when missing. Named indexes are real SQL indexes ("zt:Standard")
// and stay in the file. Every error reaches the user as a German message
// through the prompter; the operations then return false.
class TableStore {
public:
    TableStore(const DatabaseLocation& location, Prompter& prompter);
    ~TableStore();
    TableStore(const TableStore&) = delete;
    TableStore& operator=(const TableStore&) = delete;

    static QString fileName() { return QStringLiteral("ztd.sqlite"); }
    // The file, or the server's address.
    QString databasePath() const;
    bool onServer() const { return server_.isSet(); }
    const ServerAddress& server() const { return server_; }
    // Compares a text letter by letter, appended to a column or value.
    QString exactCollation() const;
    // How long to wait for another program that holds the database.
    void setBusyTimeout(int milliseconds);

    // Opens the file (creating folder, file and missing tables); true when it is usable.
    // A file in a folder, or a file, that this user cannot write is opened for
    // reading: the user is told once, and every write is refused.
    bool open();
    bool isOpen() const { return open_; }
    bool isReadOnly() const { return !readOnlyReason_.isEmpty(); }
    QSqlDatabase database() const { return db_; }
    const TableDefinition* definition(const QString& table) const;
    // A statement read straight through the engine; null with the engine's
    // error when it does not compile. It must not outlive the store.
    std::unique_ptr<SqlStatement> prepare(const QString& sql, QSqlError* error);
    // The same for a read that goes on while other statements run (an export
    // beside a painting grid): on a server it gets a connection of its own,
    // as one connection answers one statement at a time there. It sees what
    // is committed.
    std::unique_ptr<SqlStatement> prepareStream(const QString& sql, QSqlError* error);
    // Whether the failure is a key that another row holds already.
    bool isKeyViolation(const QSqlError& error) const;

    QStringList indexNames(const QString& table);
    std::optional<QList<IndexTerm>> indexTerms(const QString& table, const QString& name);
    // fields joined by ";" in sort priority.
    bool addIndex(const QString& table, const QString& name, const QString& fields,
                  bool caseInsensitive);
    bool deleteIndex(const QString& table, const QString& name);

    // Transactions nest: only the outermost commits; a failure anywhere
    // inside rolls the whole of it back.
    bool begin(const QString& table, bool exclusive = false);
    bool commit(const QString& table);
    void rollback(const QString& table);
    // For bulk writers, who tell the user themselves once the transaction is
    // over: the write lock is taken at once (another writer is waited for up
    // to the busy timeout). The German reason when it fails; nothing is shown.
    std::optional<QString> beginWrite(const QString& table);
    std::optional<QString> commitWrite(const QString& table);
    void rollbackWrite();
    // Inside a transaction on a server: other PCs' writes to the table wait
    // until it ends (reads go on). A file needs nothing: SQLite refuses a
    // write that follows another program's since this transaction read.
    bool lockAgainstWriters(const QString& table);
    // The transaction goes on, but its outermost commit will roll it back.
    void failTransaction() { failed_ = depth_ > 0; }
    bool inTransaction() const { return depth_ > 0; }

    // Changes whenever a row is written, through this connection or by
    // another program: what was read before it is still true while it stays.
    std::pair<qint64, qint64> changeStamp();

    // Shows the German text for a failed statement on the table.
    void reportError(const QString& table, const QSqlError& error);
    void report(const QString& text);
    // The German text for a failed statement; an empty table stands for the
    // database as a whole.
    QString describe(const QString& table, const QSqlError& error) const;

    // While one lives, each failure is shown once, and neither a failed open
    // nor a lock held by another program is tried again: a start-up that
    // opens many tables tells its trouble once.
    class OncePerFailure {
    public:
        explicit OncePerFailure(TableStore& store);
        ~OncePerFailure();
        OncePerFailure(const OncePerFailure&) = delete;
        OncePerFailure& operator=(const OncePerFailure&) = delete;

    private:
        TableStore& store_;
    };

private:
    bool exec(const QString& table, const QString& sql);
    // Ends the innermost level; a nested one on a server is a savepoint.
    bool end(const QString& table, bool rollingBack);
    QString savepoint(const QString& command) const;
    bool useWriteAheadLog();
    // Whether the file holds both tables as defined, with their helper indexes.
    bool isSetUp();
    // Creates what is missing.
    bool setUp();
    // A table stored before some of its numbers could be empty learns so;
    // inside the set-up's transaction.
    bool allowEmptyNumbers(const TableDefinition& table);
    QString sqlIndexName(const QString& table, const QString& name);
    bool openFile();
    bool openServer();
    bool setUpServer();
    QString describeServerError(const QString& table, const QSqlError& error) const;
    // Why this user cannot write the data; empty when they can.
    QString writeProblem() const;
    void show(const QString& text, const QString& caption, const QString& failure);

    QString directory_;
    ServerAddress server_;
    Prompter& prompter_;
    QString connection_;
    QSqlDatabase db_;
    bool open_ = false;
    int busyTimeout_ = 1500;
    int depth_ = 0;
    bool failed_ = false;
    QString readOnlyReason_;
    // OncePerFailure's memory: the failures shown, a failed open, a lock met.
    bool oncePerFailure_ = false;
    QStringList shownFailures_;
    bool openFailed_ = false;
    bool lockMet_ = false;
};
