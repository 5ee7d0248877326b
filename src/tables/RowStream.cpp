#include "RowStream.h"

#include "SqlStatement.h"
#include "TableStore.h"

RowStream::RowStream(TableStore& store, const QString& sql, const QVariantList& values)
    : store_(store) {
    if (!store_.open()) {
        error_ =
            QStringLiteral("Die Datenbank \"%1\" ist nicht geöffnet.").arg(store_.databasePath());
        return;
    }
    QSqlError error;
    statement_ = store_.prepareStream(sql, &error);
    if (!statement_) {
        fail(error);
        return;
    }
    for (int i = 0; i < values.size(); ++i)
        statement_->bind(i + 1, values[i]);
}

RowStream::~RowStream() = default;

void RowStream::fail(const QSqlError& error) {
    error_ = store_.describe(QStringLiteral("zt"), error);
    statement_.reset();
}

bool RowStream::next() {
    if (!statement_)
        return false;
    if (statement_->step())
        return true;
    if (statement_->error().isValid())
        fail(statement_->error());
    return false;
}

bool RowStream::isNull(int column) const {
    return statement_->isNull(column);
}

qint64 RowStream::integer(int column) const {
    return statement_->integer(column);
}

QByteArrayView RowStream::text(int column) const {
    return statement_->text(column);
}
