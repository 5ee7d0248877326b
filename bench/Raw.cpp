#include "Raw.h"

#include "BenchSupport.h"
#include "tables/DatabaseLocation.h"

namespace bench {

Raw::Raw(const QString& sqliteFile)
    : engine_(sqliteEngine(sqliteFile)) {}

Raw::Raw(const ServerAddress& server)
    : engine_(postgresEngine(server)) {}

Raw::Raw(const Dataset& data)
    : engine_(data.onServer() ? postgresEngine(data.server) : sqliteEngine(data.path)) {}

Raw::~Raw() {
    // The statements go before their connection.
    queries_.clear();
}

bool Raw::onServer() const {
    return engine_->onServer();
}

QString Raw::exactCollation() const {
    return onServer() ? QStringLiteral(" COLLATE \"C\"") : QStringLiteral(" COLLATE BINARY");
}

Query& Raw::prepare(const QString& sql) {
    auto& query = queries_[sql];
    if (!query)
        query = engine_->prepare(sql);
    return *query;
}

void Raw::exec(const QString& sql) {
    engine_->exec(sql);
}

qint64 Raw::integer(const QString& sql) {
    QList<QByteArray> value;
    return prepare(sql).readAll({0}, &value) > 0 ? value.first().toLongLong() : 0;
}

void Raw::countAndFirstPage(const QString& order, const QString& where) {
    const QString condition = where.isEmpty() ? QString() : QLatin1String(" WHERE ") + where;
    Query& count = prepare(QLatin1String("SELECT count(*) FROM zt") + condition);
    Query& page = prepare(withAllColumns("SELECT %1 FROM zt") + condition +
                          QStringLiteral(" ORDER BY %1 LIMIT 64").arg(order));
    count.readAll();
    page.readAll();
}

RowCopy::RowCopy(Raw& raw, const QString& table, const QString& condition)
    : rows_(raw.engine().copy(raw, table, condition)) {}

void RowCopy::insertInto(Raw& raw) const {
    if (rows_)
        rows_->insertInto(raw);
}

} // namespace bench
