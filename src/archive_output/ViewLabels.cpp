#include "ViewLabels.h"

#include "tables/FieldValues.h"
#include "tables/SqlBinding.h"
#include "tables/TableCursor.h"
#include "tables/TableStore.h"

#include <QSqlError>
#include <QSqlQuery>

namespace test_labels {

namespace {

QString fromWhere(const TableCursor& view, Rows rows) {
    QStringList conditions;
    // Written as the partial index over the marked rows is, so that it is used.
    if (rows == Rows::Marked)
        conditions << quoted(QStringLiteral("Gefunden")) + QStringLiteral(" <> 0");
    if (!view.filterSql().isEmpty())
        conditions << QLatin1Char('(') + view.filterSql() + QLatin1Char(')');
    QString sql = QStringLiteral(" FROM ") + quoted(view.tableName());
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + conditions.join(QLatin1String(" AND "));
    return sql;
}

bool run(TableCursor& view, QSqlQuery& query, const QString& sql) {
    query.prepare(sql);
    const QVariantList values = view.filterValues();
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, sql_binding::bindable(values[i]));
    if (query.exec())
        return true;
    view.store().reportError(view.tableName(), query.lastError());
    return false;
}

} // namespace

std::optional<qint64> markedCount(TableCursor& view) {
    QSqlQuery query(view.store().database());
    if (!run(view, query, QStringLiteral("SELECT count(*)") + fromWhere(view, Rows::Marked)) ||
        !query.next())
        return std::nullopt;
    return query.value(0).toLongLong();
}

std::optional<QList<Label>> viewLabels(TableCursor& view, Rows rows, const QString& contractor) {
    const TableDefinition& table = view.definition();
    QList<const FieldDefinition*> fields;
    QStringList columns;
    for (const QString& name : labelFields()) {
        fields << &table.fields[table.indexOf(name)];
        columns << quoted(name);
    }
    QSqlQuery query(view.store().database());
    query.setForwardOnly(true);
    if (!run(view, query,
             QStringLiteral("SELECT ") + columns.join(QLatin1String(", ")) + fromWhere(view, rows) +
                 QStringLiteral(" ORDER BY ") + view.orderBy()))
        return std::nullopt;
    QList<Label> labels;
    while (query.next()) {
        QStringList texts;
        for (int i = 0; i < fields.size(); ++i)
            texts << field_values::toText(*fields[i], query.value(i));
        labels.append(labelFrom(texts, contractor));
    }
    return labels;
}

} // namespace test_labels
