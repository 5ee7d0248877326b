#include "Raw.h"

#include "tables/DatabaseLocation.h"
#include "tables/PostgresStatement.h"
#include "tables/TableDefinition.h"

#include <QRegularExpression>
#include <QSet>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <libpq-fe.h>
#include <optional>
#include <vector>

namespace bench {
namespace {

[[noreturn]] void fail(PGconn* connection, const QString& sql) {
    fprintf(stderr, "%s: %s\n", qPrintable(quotedFields(sql)), PQerrorMessage(connection));
    std::abort();
}

bool succeeded(const PGresult* result) {
    const ExecStatusType status = PQresultStatus(result);
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

// Prepared once, run with its values as text and read as one whole result.
class PostgresQuery : public Query {
public:
    PostgresQuery(PGconn* connection, const QString& sql)
        : connection_(connection)
        , sql_(sql) {
        static int made = 0;
        name_ = QByteArray("bench_") + QByteArray::number(++made);
        PGresult* prepared = PQprepare(
            connection_, name_.constData(),
            postgres_engine::numberedPlaceholders(quotedFields(sql)).toUtf8(), 0, nullptr);
        if (!succeeded(prepared))
            fail(connection_, sql);
        PQclear(prepared);
        PGresult* described = PQdescribePrepared(connection_, name_.constData());
        values_.resize(PQnparams(described));
        PQclear(described);
    }

    void bind(int position, const QString& text) override { values_[position - 1] = text.toUtf8(); }
    void bind(int position, qint64 number) override {
        values_[position - 1] = QByteArray::number(number);
    }
    void bindAsStored(int position, const std::optional<QByteArray>& value) {
        values_[position - 1] = value;
    }

    PGresult* run() {
        std::vector<const char*> values;
        std::vector<int> lengths;
        for (const auto& value : values_) {
            values.push_back(value ? value->constData() : nullptr);
            lengths.push_back(value ? int(value->size()) : 0);
        }
        PGresult* result = PQexecPrepared(connection_, name_.constData(), int(values.size()),
                                          values.data(), lengths.data(), nullptr, 0);
        if (!succeeded(result))
            fail(connection_, sql_);
        return result;
    }

    int readAll(const QList<int>& keep, QList<QByteArray>* kept) override {
        PGresult* result = run();
        const int rows = PQntuples(result);
        const int columns = PQnfields(result);
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < columns; ++column)
                benchmark::DoNotOptimize(PQgetvalue(result, row, column));
            if (kept)
                for (const int column : keep)
                    *kept << QByteArray(PQgetvalue(result, row, column));
        }
        PQclear(result);
        return rows;
    }

private:
    PGconn* connection_;
    QString sql_;
    QByteArray name_;
    std::vector<std::optional<QByteArray>> values_;
};

class PostgresEngine : public Raw::Engine {
public:
    explicit PostgresEngine(const ServerAddress& server)
        : connection_(PQconnectdb(server.connectionInfo().toUtf8().constData())) {
        if (PQstatus(connection_) != CONNECTION_OK)
            fail(connection_, server.url());
        // "skipping" and the like: the statements here expect them.
        PQsetNoticeProcessor(
            connection_, [](void*, const char*) {}, nullptr);
    }
    ~PostgresEngine() override { PQfinish(connection_); }

    bool onServer() const override { return true; }
    std::unique_ptr<Query> prepare(const QString& sql) override {
        return std::make_unique<PostgresQuery>(connection_, sql);
    }
    void exec(const QString& sql) override {
        PGresult* result = PQexec(connection_, quotedFields(sql).toUtf8().constData());
        if (!succeeded(result))
            fail(connection_, sql);
        PQclear(result);
    }
    std::unique_ptr<RowCopy::Rows> copy(Raw& raw, const QString& table,
                                        const QString& condition) override;
    PGconn* connection() { return connection_; }

private:
    PGconn* connection_;
};

// The values as the server writes them as text; columns it computes itself
// are left to it.
class PostgresRows : public RowCopy::Rows {
public:
    PostgresRows(PGconn* connection, const QString& table, const QString& condition) {
        const QString generatedSql =
            QStringLiteral("SELECT attname FROM pg_attribute WHERE attrelid = '%1'::regclass "
                           "AND attgenerated <> ''")
                .arg(table);
        PGresult* generated = PQexec(connection, generatedSql.toUtf8().constData());
        if (!succeeded(generated))
            fail(connection, generatedSql);
        QStringList computed;
        for (int row = 0; row < PQntuples(generated); ++row)
            computed << QString::fromUtf8(PQgetvalue(generated, row, 0));
        PQclear(generated);
        const QString readSql =
            quotedFields(QStringLiteral("SELECT * FROM %1 WHERE %2").arg(table, condition));
        PGresult* read = PQexec(connection, readSql.toUtf8().constData());
        if (!succeeded(read))
            fail(connection, readSql);
        QStringList names, marks;
        for (int column = 0; column < PQnfields(read); ++column) {
            const QString name = QString::fromUtf8(PQfname(read, column));
            if (computed.contains(name))
                continue;
            columns_.push_back(column);
            names << QLatin1Char('"') + name + QLatin1Char('"');
            marks << QStringLiteral("?");
        }
        insertSql_ = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                         .arg(table, names.join(u','), marks.join(u','));
        for (int row = 0; row < PQntuples(read); ++row) {
            std::vector<std::optional<QByteArray>> values;
            for (const int column : columns_)
                values.push_back(PQgetisnull(read, row, column)
                                     ? std::nullopt
                                     : std::optional(QByteArray(PQgetvalue(read, row, column))));
            rows_.push_back(std::move(values));
        }
        PQclear(read);
    }

    int size() const override { return int(rows_.size()); }

    void insertInto(Raw& raw) const override {
        if (rows_.empty())
            return;
        auto& insert = static_cast<PostgresQuery&>(raw.prepare(insertSql_));
        for (const auto& row : rows_) {
            for (size_t i = 0; i < row.size(); ++i)
                insert.bindAsStored(int(i) + 1, row[i]);
            PQclear(insert.run());
        }
    }

private:
    std::vector<int> columns_;
    QString insertSql_;
    std::vector<std::vector<std::optional<QByteArray>>> rows_;
};

std::unique_ptr<RowCopy::Rows> PostgresEngine::copy(Raw&, const QString& table,
                                                    const QString& condition) {
    return std::make_unique<PostgresRows>(connection_, table, condition);
}

} // namespace

QString quotedFields(const QString& sql) {
    static const QSet<QString> fields = [] {
        QSet<QString> names;
        for (const TableDefinition* table : {&archiveTableDefinition(), &customerTableDefinition()})
            for (const FieldDefinition& field : table->fields)
                names << field.name;
        return names;
    }();
    static const QRegularExpression word(
        QStringLiteral("'[^']*'|\"[^\"]*\"|[A-Za-z_][A-Za-z0-9_]*"));
    QString out;
    qsizetype done = 0;
    for (const QRegularExpressionMatch& match : word.globalMatch(sql)) {
        out += QStringView(sql).mid(done, match.capturedStart() - done);
        const QString token = match.captured();
        out += fields.contains(token) ? QLatin1Char('"') + token + QLatin1Char('"') : token;
        done = match.capturedEnd();
    }
    out += QStringView(sql).mid(done);
    return out;
}

std::unique_ptr<Raw::Engine> postgresEngine(const ServerAddress& server) {
    return std::make_unique<PostgresEngine>(server);
}

} // namespace bench
