#include "TableCursor.h"

#include "FieldValues.h"
#include "SqlBinding.h"

#include <QSqlError>

#include <algorithm>

// Field access and every write of the cursor.

using sql_binding::bindable;
using sql_binding::placeholders;

QString TableCursor::text(const QString& name) const {
    const int index = field(name);
    return index < 0 ? QString()
                     : field_values::toText(definition_.fields[index], visibleRow().at(index));
}

qint64 TableCursor::integer(const QString& name) const {
    const int index = field(name);
    if (index < 0)
        return 0;
    const FieldDefinition& def = definition_.fields[index];
    if (def.type == FieldType::Text)
        return visibleRow().at(index).toString().trimmed().toLongLong();
    return visibleRow().at(index).toLongLong();
}

bool TableCursor::boolean(const QString& name) const {
    const int index = field(name);
    return index >= 0 && definition_.fields[index].type == FieldType::Boolean &&
           visibleRow().at(index).toLongLong() != 0;
}

std::optional<QVariant> TableCursor::storedValue(const FieldDefinition& def,
                                                 const QVariant& value) const {
    QString error;
    const std::optional<QVariant> stored = field_values::toStored(def, value, &error);
    if (!stored)
        store_.report(error);
    return stored;
}

bool TableCursor::setValue(const QString& name, const QVariant& value) {
    if (state_ != State::Edit && state_ != State::Insert) {
        store_.report(QStringLiteral("Datensatz nicht im Bearbeitungs- oder Einfügemodus"));
        return false;
    }
    const int index = field(name);
    if (index < 0)
        return false;
    const std::optional<QVariant> stored = storedValue(definition_.fields[index], value);
    if (!stored)
        return false;
    buffer_[index] = *stored;
    emit dataChanged();
    return true;
}

bool TableCursor::setText(const QString& name, const QString& text) {
    return setValue(name, QVariant(text));
}

bool TableCursor::setInteger(const QString& name, qint64 value) {
    return setValue(name, QVariant(value));
}

bool TableCursor::setBoolean(const QString& name, bool value) {
    return setValue(name, QVariant(value));
}

bool TableCursor::edit() {
    if (!requireOpen())
        return false;
    if (state_ == State::Edit || state_ == State::Insert)
        return true;
    if (!hasRow_)
        return insert();
    buffer_ = row_;
    setState(State::Edit);
    if (afterEdit)
        afterEdit(*this);
    return true;
}

bool TableCursor::insert() {
    if (!requireOpen() || !checkBrowseMode())
        return false;
    if (beforeInsert)
        beforeInsert(*this);
    for (int i = 0; i < definition_.fields.size(); ++i)
        buffer_[i] = field_values::emptyValue(definition_.fields[i]);
    setState(State::Insert);
    emit dataChanged();
    if (afterInsert)
        afterInsert(*this);
    return true;
}

bool TableCursor::insertRecord(const QVariantList& values) {
    if (values.size() > definition_.fields.size()) {
        store_.report(QStringLiteral("Zu viele Werte für die Tabelle \"%1\".").arg(tableName()));
        return false;
    }
    if (!insert())
        return false;
    for (int i = 0; i < values.size(); ++i) {
        if (!setValue(definition_.fields[i].name, values[i])) {
            cancel();
            return false;
        }
    }
    // The caller keeps the values: a row that was not stored is not left
    // pending, to be posted again by the next move.
    if (post())
        return true;
    cancel();
    return false;
}

bool TableCursor::writeBuffer() {
    QStringList columns;
    for (const FieldDefinition& def : definition_.fields)
        columns << quoted(def.name);
    QString sql;
    // The server tells a new row's number only when asked for it.
    const bool returnsRowId =
        state_ == State::Insert && !definition_.firstFieldIsKey && store_.onServer();
    // Several PCs share a server: a row another one changed since it was read
    // is not overwritten.
    const bool guardsAgainstOthers = state_ == State::Edit && store_.onServer();
    if (state_ == State::Insert) {
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(quoted(tableName()), columns.join(QLatin1String(", ")),
                       placeholders(columns.size()));
        if (returnsRowId)
            sql += QLatin1String(" RETURNING rowid");
    } else {
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                  .arg(quoted(tableName()),
                       columns.join(QLatin1String(" = ?, ")) + QLatin1String(" = ?"));
        if (guardsAgainstOthers)
            for (int i = 0; i < columns.size(); ++i)
                sql += QLatin1String(" AND ") + columns[i] +
                       QLatin1String(" IS NOT DISTINCT FROM ?") +
                       (definition_.fields[i].type == FieldType::Text ? store_.exactCollation()
                                                                      : QString());
    }
    QSqlQuery* query = prepared(sql);
    if (!query)
        return false;
    int position = 0;
    for (const QVariant& value : std::as_const(buffer_))
        query->bindValue(position++, bindable(value));
    if (state_ == State::Edit)
        query->bindValue(position++, rowId_);
    if (guardsAgainstOthers)
        for (const QVariant& value : std::as_const(row_))
            query->bindValue(position++, bindable(value));
    if (!query->exec()) {
        failed(*query);
        return false;
    }
    if (guardsAgainstOthers && query->numRowsAffected() == 0) {
        query->finish();
        changedElsewhere_ = true;
        return false;
    }
    if (definition_.firstFieldIsKey)
        rowId_ = buffer_.at(0).toLongLong();
    else if (returnsRowId)
        rowId_ = query->next() ? query->value(0).toLongLong() : 0;
    else if (state_ == State::Insert)
        rowId_ = query->lastInsertId().toLongLong();
    query->finish();
    return true;
}

bool TableCursor::claimFreeNumber() {
    if (state_ != State::Insert || numberField_ < 0 || buffer_.at(numberField_).isNull())
        return true;
    // The lock holds the check and the write together against other PCs;
    // on a file SQLite's own write lock does.
    if (!store_.lockAgainstWriters(tableName()))
        return false;
    const QString column = quoted(definition_.fields[numberField_].name);
    QSqlQuery* taken =
        prepared(QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ?").arg(quoted(tableName()), column));
    if (!taken)
        return false;
    taken->bindValue(0, buffer_.at(numberField_));
    if (!taken->exec()) {
        failed(*taken);
        return false;
    }
    const bool isTaken = taken->next();
    taken->finish();
    if (!isTaken)
        return true;
    QSqlQuery* highest =
        prepared(QStringLiteral("SELECT MAX(%2) FROM %1").arg(quoted(tableName()), column));
    if (!highest)
        return false;
    if (!highest->exec() || !highest->next()) {
        failed(*highest);
        return false;
    }
    buffer_[numberField_] = highest->value(0).toLongLong() + 1;
    highest->finish();
    return true;
}

bool TableCursor::post() {
    if (state_ != State::Edit && state_ != State::Insert)
        return isOpen();
    emit updatingRecord();
    if (!store_.begin(tableName()))
        return false;
    // A post that fails leaves the row as typed, so that the next one runs
    // the before-post steps again in full (a rename is carried over again).
    const QVariantList typed = buffer_;
    if (beforePost)
        beforePost(*this);
    changedElsewhere_ = false;
    if (!claimFreeNumber() || !writeBuffer()) {
        store_.rollback(tableName());
        if (changedElsewhere_) {
            reloadChangedElsewhere();
            return false;
        }
        buffer_ = typed;
        emit dataChanged();
        return false;
    }
    if (!store_.commit(tableName())) {
        buffer_ = typed;
        emit dataChanged();
        return false;
    }
    const QVariantList key = orderKey(QVariantList{rowId_} + buffer_);
    setState(State::Browse);
    if (fetch(QStringLiteral("rowid = ?"), {rowId_}, false))
        bof_ = eof_ = false;
    else
        moveNear(key);
    emit rowsChanged();
    emit dataChanged();
    return true;
}

void TableCursor::reloadChangedElsewhere() {
    const QVariantList key = currentOrderKey();
    setState(State::Browse);
    const bool stillThere = fetch(QStringLiteral("rowid = ?"), {rowId_}, false);
    if (stillThere)
        bof_ = eof_ = false;
    else
        moveNear(key);
    buffer_ = row_;
    // The grid behind the message shows the stand it speaks of.
    emit rowsChanged();
    emit dataChanged();
    store_.report(stillThere
                      ? QStringLiteral("Der Datensatz wurde inzwischen an einem anderen "
                                       "Arbeitsplatz geändert. Ihre Änderung ist nicht "
                                       "gespeichert; der Datensatz zeigt jetzt den neuen Stand.")
                      : QStringLiteral("Der Datensatz wurde inzwischen an einem anderen "
                                       "Arbeitsplatz gelöscht. Ihre Änderung ist nicht "
                                       "gespeichert."));
}

void TableCursor::cancel() {
    if (state_ != State::Edit && state_ != State::Insert)
        return;
    buffer_ = row_;
    setState(State::Browse);
    emit dataChanged();
}

bool TableCursor::deleteRow() {
    if (!requireOpen())
        return false;
    if (state_ == State::Insert) {
        cancel();
        return true;
    }
    if (!hasRow_) {
        store_.report(QStringLiteral("Die Tabelle \"%1\" ist leer.").arg(tableName()));
        return false;
    }
    setState(State::Browse);
    QSqlQuery* query =
        prepared(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoted(tableName())));
    if (!query)
        return false;
    query->bindValue(0, rowId_);
    if (!query->exec()) {
        failed(*query);
        return false;
    }
    query->finish();
    moveNear(currentOrderKey());
    emit rowsChanged();
    emit dataChanged();
    return true;
}

int TableCursor::setValueInFilteredRows(const QString& field, const QVariant& value) {
    return updateField(field, value, filterSql(), filterValues());
}

int TableCursor::setValueInAllRows(const QString& field, const QVariant& value) {
    // Only the rows that differ are written: a million rows are read, not rewritten.
    return updateField(field, value, {}, {}, true);
}

bool TableCursor::setValueInCurrentRow(const QString& field, const QVariant& value) {
    if (!requireOpen() || !checkBrowseMode())
        return false;
    if (!hasRow_) {
        store_.report(QStringLiteral("Die Tabelle \"%1\" ist leer.").arg(tableName()));
        return false;
    }
    return updateField(field, value, QStringLiteral("rowid = ?"), {rowId_}) == 1;
}

int TableCursor::updateField(const QString& name, const QVariant& value, const QString& condition,
                             const QVariantList& conditionValues, bool differingOnly) {
    if (!requireOpen() || !checkBrowseMode())
        return -1;
    const int index = field(name);
    if (index < 0)
        return -1;
    const std::optional<QVariant> stored = storedValue(definition_.fields[index], value);
    if (!stored)
        return -1;
    const QString column = quoted(definition_.fields[index].name);
    QStringList conditions;
    QVariantList values = conditionValues;
    if (!condition.isEmpty())
        conditions << QLatin1Char('(') + condition + QLatin1Char(')');
    if (differingOnly && stored->typeId() == QMetaType::LongLong) {
        // A number written out lets the planner use an index kept over the
        // rows whose flag is set.
        conditions << column + QLatin1String(" <> ") + QString::number(stored->toLongLong());
    } else if (differingOnly) {
        conditions << column + QLatin1String(" IS DISTINCT FROM ?") + store_.exactCollation();
        values << *stored;
    }
    QString sql = QStringLiteral("UPDATE %1 SET %2 = ?").arg(quoted(tableName()), column);
    if (!conditions.isEmpty())
        sql += QLatin1String(" WHERE ") + conditions.join(QLatin1String(" AND "));
    QSqlQuery* query = prepared(sql);
    if (!query)
        return -1;
    query->bindValue(0, bindable(*stored));
    for (int i = 0; i < values.size(); ++i)
        query->bindValue(i + 1, bindable(values[i]));
    if (!query->exec()) {
        failed(*query);
        return -1;
    }
    const int changed = query->numRowsAffected();
    query->finish();
    const auto& terms = order_;
    const bool movesRows =
        std::any_of(terms.cbegin(), terms.cend(),
                    [&](const OrderTerm& term) { return term.field == index; }) ||
        filterSql().contains(column);
    if (movesRows) {
        refresh();
    } else if (hasRow_) {
        // Rows keep their places: the views re-read the values, nobody recounts.
        fetch(QStringLiteral("rowid = ?"), {rowId_}, false);
        emit valuesChanged();
        emit dataChanged();
    }
    return changed;
}

bool TableCursor::emptyTable() {
    if (!store_.open())
        return false;
    if (isOpen() && state_ != State::Browse)
        cancel();
    QSqlQuery query(store_.database());
    if (!query.exec(QStringLiteral("DELETE FROM %1").arg(quoted(tableName())))) {
        failed(query);
        return false;
    }
    setEmpty();
    emit rowsChanged();
    emit dataChanged();
    return true;
}
