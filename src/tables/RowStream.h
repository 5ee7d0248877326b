#pragma once

#include <QByteArrayView>
#include <QString>
#include <QVariantList>

#include <memory>

class SqlStatement;
class QSqlError;
class TableStore;

// The rows of a query read one after the other straight from the engine,
// their values as the bytes it holds: a million rows stream through in
// seconds and in bounded memory. Reading only; for exports and copies beside
// the cursors.
class RowStream {
public:
    RowStream(TableStore& store, const QString& sql, const QVariantList& values = {});
    ~RowStream();
    RowStream(const RowStream&) = delete;
    RowStream& operator=(const RowStream&) = delete;

    // The next row; false at the end or when reading failed (see error).
    bool next();
    // German, empty while all is well.
    const QString& error() const { return error_; }

    bool isNull(int column) const;
    qint64 integer(int column) const;
    // UTF-8, valid until the next step.
    QByteArrayView text(int column) const;

private:
    void fail(const QSqlError& error);

    TableStore& store_;
    std::unique_ptr<SqlStatement> statement_;
    QString error_;
};
