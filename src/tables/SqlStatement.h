#pragma once

#include <QByteArrayView>
#include <QSqlError>
#include <QString>
#include <QVariant>

// One statement prepared on the store's connection and read straight through
// the engine's own library: far cheaper than QSqlQuery when a million keys go
// by, or a page of 45 columns is read. Values are bound by position from 1:
// texts as text, no value as NULL, everything else as a 64-bit integer.
class SqlStatement {
public:
    virtual ~SqlStatement() = default;

    virtual void bind(int position, const QVariant& value) = 0;
    // True while there is a row; false at the end, or on failure (error()).
    virtual bool step() = 0;
    // Ends the read, so that no lock outlives it; the statement stays ready.
    virtual void reset() = 0;
    // Invalid while all is well.
    virtual QSqlError error() const = 0;

    virtual int columnCount() const = 0;
    virtual bool isNull(int column) const = 0;
    virtual qint64 integer(int column) const = 0;
    // UTF-8, valid until the next step.
    virtual QByteArrayView text(int column) const = 0;
    // NULL as an invalid QVariant, integers as qint64, texts as QString.
    virtual QVariant value(int column) const = 0;
};
