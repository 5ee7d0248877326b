#include "TableCursor.h"

#include "FieldValues.h"
#include "GermanCollation.h"
#include "Keyset.h"
#include "SqlBinding.h"

#include <QSqlError>

namespace {
const TableDefinition& definitionOf(TableStore& store, const QString& table) {
    const TableDefinition* definition = store.definition(table);
    Q_ASSERT(definition);
    return *definition;
}

} // namespace

using sql_binding::bindable;
using sql_binding::placeholders;

TableCursor::TableCursor(TableStore& store, const QString& table, QObject* parent)
    : QObject(parent)
    , store_(store)
    , definition_(definitionOf(store, table)) {
    QStringList columns{QStringLiteral("rowid")};
    for (const FieldDefinition& field : definition_.fields) {
        row_ << field_values::emptyValue(field);
        columns << quoted(field.name);
    }
    buffer_ = row_;
    selectList_ = columns.join(QLatin1String(", "));
}

TableCursor::~TableCursor() {
    close();
    clearStatements();
}

int TableCursor::field(const QString& name) const {
    const int index = definition_.indexOf(name);
    if (index < 0)
        store_.report(QStringLiteral("Feld '%1' nicht gefunden").arg(name));
    return index;
}

const QVariantList& TableCursor::visibleRow() const {
    return state_ == State::Edit || state_ == State::Insert ? buffer_ : row_;
}

QVariantList TableCursor::currentRow() const {
    return QVariantList{rowId_} + visibleRow();
}

bool TableCursor::requireOpen() {
    if (isOpen())
        return true;
    store_.report(QStringLiteral("Die Tabelle \"%1\" ist nicht geöffnet.").arg(tableName()));
    return false;
}

void TableCursor::failed(const QSqlQuery& query) {
    store_.reportError(tableName(), query.lastError());
}

void TableCursor::setState(State state) {
    if (state_ == state)
        return;
    state_ = state;
    emit stateChanged();
}

bool TableCursor::open() {
    if (isOpen())
        return true;
    if (!store_.open())
        return false;
    if (exclusive_) {
        if (!store_.begin(tableName(), true))
            return false;
        holdsExclusive_ = true;
    }
    if (!loadOrder()) {
        close();
        return false;
    }
    setState(State::Browse);
    first();
    return true;
}

void TableCursor::close() {
    if (state_ == State::Inactive && !holdsExclusive_)
        return;
    if (state_ == State::Edit || state_ == State::Insert)
        cancel();
    clearStatements();
    if (holdsExclusive_) {
        holdsExclusive_ = false;
        store_.commit(tableName());
    }
    setEmpty();
    setState(State::Inactive);
}

bool TableCursor::setExclusive(bool exclusive) {
    if (isOpen()) {
        store_.report(
            QStringLiteral("Die Tabelle \"%1\" muss dafür geschlossen sein.").arg(tableName()));
        return false;
    }
    exclusive_ = exclusive;
    return true;
}

QStringList TableCursor::indexNames() {
    return store_.open() ? store_.indexNames(tableName()) : QStringList();
}

bool TableCursor::addIndex(const QString& name, const QString& fields, bool caseInsensitive) {
    return store_.addIndex(tableName(), name, fields, caseInsensitive);
}

bool TableCursor::deleteIndex(const QString& name) {
    if (name.compare(indexName_, Qt::CaseInsensitive) == 0 && isOpen()) {
        store_.report(QStringLiteral(
                          "Der Index \"%1\" ist gerade in Gebrauch und kann nicht gelöscht werden.")
                          .arg(name));
        return false;
    }
    return store_.deleteIndex(tableName(), name);
}

bool TableCursor::loadOrder() {
    QList<OrderTerm> order;
    bool unique = false;
    if (!indexName_.isEmpty()) {
        const auto terms = store_.indexTerms(tableName(), indexName_);
        if (!terms) {
            store_.report(QStringLiteral("Den Index \"%1\" gibt es in der Tabelle \"%2\" nicht.")
                              .arg(indexName_, tableName()));
            return false;
        }
        for (const IndexTerm& term : *terms) {
            QString sql = quoted(definition_.fields[term.field].name);
            if (term.exact)
                sql += store_.exactCollation();
            order << OrderTerm{term.field, sql, term.exact,
                               definition_.fields[term.field].nullable};
            unique = unique || (term.field == 0 && definition_.firstFieldIsKey);
        }
    }
    // Rows equal in the index keep the order of their keys.
    if (!unique)
        order << OrderTerm{-1, QStringLiteral("rowid")};
    order_ = order;
    orderAscending_ = QLatin1String(" ORDER BY ") + orderBy() + QLatin1String(" LIMIT 1");
    orderDescending_ = QLatin1String(" ORDER BY ") + orderBy(true) + QLatin1String(" LIMIT 1");
    clearStatements();
    return true;
}

bool TableCursor::setIndexName(const QString& name) {
    if (!checkBrowseMode())
        return false;
    const QString previous = indexName_;
    indexName_ = name;
    if (isOpen()) {
        if (!loadOrder()) {
            indexName_ = previous;
            return false;
        }
        emit rowsChanged();
    }
    return true;
}

QVariantList TableCursor::orderKey(const QVariantList& rowWithId) const {
    QVariantList key;
    for (const OrderTerm& term : order_)
        key << rowWithId.at(term.field + 1);
    return key;
}

QString TableCursor::orderBy(bool descending) const {
    // SQLite sorts empty numbers first on its own; a server puts them last
    // unless told, and its indexes on them are made the same way.
    const bool sayNulls = store_.onServer();
    QStringList terms;
    for (const OrderTerm& term : order_) {
        QString sql = term.sql;
        if (descending)
            sql += QLatin1String(" DESC");
        if (sayNulls && term.nullable)
            sql += descending ? QLatin1String(" NULLS LAST") : QLatin1String(" NULLS FIRST");
        terms << sql;
    }
    return terms.join(QLatin1String(", "));
}

QVariantList TableCursor::currentOrderKey() const {
    return orderKey(QVariantList{rowId_} + row_);
}

QString TableCursor::filterSql() const {
    return filtered_ ? filter_.sql : QString();
}

QVariantList TableCursor::filterValues() const {
    return filtered_ ? filter_.values : QVariantList();
}

QString TableCursor::viewSql(const QString& columns) const {
    QString sql =
        QLatin1String("SELECT ") + columns + QLatin1String(" FROM ") + quoted(tableName());
    if (!filterSql().isEmpty())
        sql += QLatin1String(" WHERE ") + filterSql();
    return sql + QLatin1String(" ORDER BY ") + orderBy();
}

QSqlQuery* TableCursor::prepared(const QString& sql) {
    auto found = statements_.find(sql);
    if (found == statements_.end()) {
        QSqlQuery query(store_.database());
        // On a server a forward-only statement keeps the connection busy
        // until it is read to the end, and the reads beside it would fail.
        query.setForwardOnly(!store_.onServer());
        if (!query.prepare(sql)) {
            failed(query);
            return nullptr;
        }
        found = statements_.insert(sql, query);
    }
    return &found.value();
}

bool TableCursor::fetch(const QString& condition, const QVariantList& values, bool descending) {
    QStringList conditions;
    QVariantList binds;
    if (!filterSql().isEmpty()) {
        conditions << QLatin1Char('(') + filterSql() + QLatin1Char(')');
        binds << filterValues();
    }
    if (!condition.isEmpty()) {
        conditions << QLatin1Char('(') + condition + QLatin1Char(')');
        binds << values;
    }
    QString sql =
        QLatin1String("SELECT ") + selectList_ + QLatin1String(" FROM ") + quoted(tableName());
    if (!conditions.isEmpty())
        sql += QLatin1String(" WHERE ") + conditions.join(QLatin1String(" AND "));
    sql += descending ? orderDescending_ : orderAscending_;
    SqlStatement* statement = preparedRead(sql);
    if (!statement)
        return false;
    for (int i = 0; i < binds.size(); ++i)
        statement->bind(i + 1, bindable(binds[i]));
    const bool found = statement->step();
    if (found) {
        rowId_ = statement->integer(0);
        for (int i = 0; i < definition_.fields.size(); ++i)
            row_[i] = statement->value(i + 1);
        hasRow_ = true;
    } else if (statement->error().isValid()) {
        store_.reportError(tableName(), statement->error());
    }
    // Resetting ends the read, so no lock outlives the step.
    statement->reset();
    return found;
}

SqlStatement* TableCursor::preparedRead(const QString& sql) {
    if (SqlStatement* statement = reads_.value(sql).get())
        return statement;
    QSqlError error;
    std::shared_ptr<SqlStatement> statement = store_.prepare(sql, &error);
    if (!statement) {
        store_.reportError(tableName(), error);
        return nullptr;
    }
    reads_.insert(sql, statement);
    return statement.get();
}

void TableCursor::clearStatements() {
    statements_.clear();
    reads_.clear();
}

bool TableCursor::seek(bool forward, const QVariantList& key, const QString& condition,
                       const QVariantList& values) {
    const KeysetCondition keyset =
        keysetCondition(order_, key, forward ? KeyComparison::After : KeyComparison::Before);
    QString sql = keyset.sql;
    if (!condition.isEmpty())
        sql += QLatin1String(" AND (") + condition + QLatin1Char(')');
    return fetch(sql, keyset.values + values, !forward);
}

void TableCursor::setEmpty() {
    hasRow_ = false;
    bof_ = eof_ = true;
    rowId_ = 0;
    for (int i = 0; i < definition_.fields.size(); ++i)
        row_[i] = field_values::emptyValue(definition_.fields[i]);
}

bool TableCursor::checkBrowseMode() {
    if (state_ == State::Edit || state_ == State::Insert)
        return post();
    return true;
}

bool TableCursor::first() {
    if (!requireOpen() || !checkBrowseMode())
        return false;
    if (!fetch({}, {}, false))
        setEmpty();
    bof_ = true;
    eof_ = !hasRow_;
    emit dataChanged();
    return hasRow_;
}

bool TableCursor::last() {
    if (!requireOpen() || !checkBrowseMode())
        return false;
    if (!fetch({}, {}, true))
        setEmpty();
    eof_ = true;
    bof_ = !hasRow_;
    emit dataChanged();
    return hasRow_;
}

bool TableCursor::next() {
    if (!requireOpen() || !checkBrowseMode())
        return false;
    if (!hasRow_ || !seek(true, currentOrderKey())) {
        eof_ = true;
        return false;
    }
    bof_ = eof_ = false;
    emit dataChanged();
    return true;
}

bool TableCursor::prior() {
    if (!requireOpen() || !checkBrowseMode())
        return false;
    if (!hasRow_ || !seek(false, currentOrderKey())) {
        bof_ = true;
        return false;
    }
    bof_ = eof_ = false;
    emit dataChanged();
    return true;
}

void TableCursor::moveNear(const QVariantList& key) {
    if (!seek(true, key) && !seek(false, key))
        setEmpty();
    else
        bof_ = eof_ = false;
}

bool TableCursor::refresh() {
    if (!requireOpen() || !checkBrowseMode())
        return false;
    if (!hasRow_)
        return first();
    const QVariantList key = currentOrderKey();
    if (!fetch(QStringLiteral("rowid = ?"), {rowId_}, false))
        moveNear(key);
    emit rowsChanged();
    emit dataChanged();
    return true;
}

bool TableCursor::gotoRowId(qint64 rowId) {
    // Staying on the row keeps its edit going.
    if (isOpen() && hasRow_ && rowId == rowId_)
        return true;
    if (!requireOpen() || !checkBrowseMode())
        return false;
    if (!fetch(QStringLiteral("rowid = ?"), {rowId}, false))
        return false;
    bof_ = eof_ = false;
    emit dataChanged();
    return true;
}

bool TableCursor::setFilter(const QString& text) {
    CompiledFilter compiled = compileFilter(text, definition_);
    if (!compiled.ok()) {
        store_.report(compiled.error);
        return false;
    }
    if (!checkBrowseMode())
        return false;
    filterText_ = text;
    filter_ = compiled;
    if (isOpen() && filtered_) {
        emit rowsChanged();
        first();
    }
    return true;
}

bool TableCursor::setFiltered(bool filtered) {
    if (!checkBrowseMode())
        return false;
    const bool changed = filtered_ != filtered;
    filtered_ = filtered;
    if (isOpen() && changed) {
        emit rowsChanged();
        first();
    }
    return true;
}

bool TableCursor::findFirst() {
    if (!requireOpen() || !checkBrowseMode())
        return false;
    if (!fetch(filter_.sql, filter_.values, false))
        return false;
    bof_ = eof_ = false;
    emit dataChanged();
    return true;
}

bool TableCursor::findNext() {
    if (!requireOpen() || !checkBrowseMode() || !hasRow_)
        return false;
    if (!seek(true, currentOrderKey(), filter_.sql, filter_.values))
        return false;
    bof_ = eof_ = false;
    emit dataChanged();
    return true;
}

bool TableCursor::locate(const QString& fields, const QVariantList& values, LocateOptions options) {
    if (!requireOpen() || !checkBrowseMode())
        return false;
    const QStringList names = fields.split(QLatin1Char(';'));
    if (names.size() != values.size()) {
        store_.report(QStringLiteral("Die Suche braucht für jedes Feld einen Wert."));
        return false;
    }
    QStringList conditions;
    QVariantList binds;
    for (int i = 0; i < names.size(); ++i) {
        const int index = field(names[i].trimmed());
        if (index < 0)
            return false;
        const FieldDefinition& def = definition_.fields[index];
        const QString column = quoted(def.name);
        const QVariant& value = values[i];
        if (def.type != FieldType::Text) {
            QString error;
            std::optional<QVariant> stored;
            if (value.typeId() == QMetaType::QDate)
                stored = QVariant(field_values::dateToStored(value.toDate()));
            else if (value.typeId() == QMetaType::QString)
                stored = field_values::fromText(def, value.toString(), &error);
            else
                stored = QVariant(value.toLongLong());
            if (!stored)
                return false; // a value the field cannot hold matches no row
            conditions << column + QLatin1String(" = ?");
            binds << *stored;
            continue;
        }
        const QString text = value.toString();
        if (options.partialKey) {
            // The collation range finds the candidates through an index.
            conditions << QStringLiteral("%1 >= ? AND %1 < ?").arg(column);
            binds << text << german_collation::upperBound(text);
            if (!options.caseInsensitive) {
                conditions << QStringLiteral("substr(%1, 1, ?) = ?%2")
                                  .arg(column, store_.exactCollation());
                binds << text.size() << text;
            }
        } else {
            conditions << column + QLatin1String(" = ?");
            binds << text;
            if (!options.caseInsensitive) {
                conditions << column + QLatin1String(" = ?") + store_.exactCollation();
                binds << text;
            }
        }
    }
    if (!fetch(conditions.join(QLatin1String(" AND ")), binds, false)) {
        return false;
    }
    bof_ = eof_ = false;
    emit dataChanged();
    return true;
}

bool ensureIndexes(TableCursor& cursor, const QList<std::pair<QString, QString>>& indexes,
                   const QString& select) {
    cursor.close();
    if (!cursor.setExclusive(true))
        return false;
    bool ok = cursor.open();
    if (ok) {
        const QStringList existing = cursor.indexNames();
        for (const auto& [name, fields] : indexes)
            if (!existing.contains(name, Qt::CaseInsensitive))
                ok = ok && cursor.addIndex(name, fields, true);
    }
    cursor.close();
    cursor.setExclusive(false);
    return ok && cursor.setIndexName(select) && cursor.open();
}

namespace {
// Whether the named index already orders by these fields, German-folded.
bool indexHasFields(TableCursor& cursor, const QString& name, const QString& fields) {
    const auto terms = cursor.store().indexTerms(cursor.tableName(), name);
    const QStringList wanted = fields.split(QLatin1Char(';'));
    if (!terms || terms->size() != wanted.size())
        return false;
    for (int i = 0; i < wanted.size(); ++i)
        if (terms->at(i).exact ||
            terms->at(i).field != cursor.definition().indexOf(wanted[i].trimmed()))
            return false;
    return true;
}
} // namespace

bool rebuildIndex(TableCursor& cursor, const QString& name, const QString& fields) {
    // On a server other PCs read and write meanwhile: an index that already
    // gives the order is kept, never dropped under their feet.
    if (cursor.store().onServer() && cursor.store().open() &&
        cursor.indexNames().contains(name, Qt::CaseInsensitive) &&
        indexHasFields(cursor, name, fields)) {
        cursor.close();
        return cursor.setIndexName(name) && cursor.open();
    }
    cursor.close();
    // An index in use cannot be dropped.
    cursor.setIndexName({});
    if (!cursor.setExclusive(true))
        return false;
    bool ok = cursor.open();
    if (ok && cursor.indexNames().contains(name, Qt::CaseInsensitive))
        ok = cursor.deleteIndex(name);
    ok = ok && cursor.addIndex(name, fields, true);
    cursor.close();
    cursor.setExclusive(false);
    return ok && cursor.setIndexName(name) && cursor.open();
}
