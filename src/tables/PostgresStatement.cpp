#include "PostgresStatement.h"

#include <QSqlDatabase>
#include <QSqlDriver>

#include <atomic>
#include <libpq-fe.h>
#include <optional>
#include <vector>

namespace postgres_engine {

namespace {
// Type numbers of the server's catalogue.
constexpr Oid kBool = 16;
constexpr Oid kInt8 = 20;
constexpr Oid kInt2 = 21;
constexpr Oid kInt4 = 23;
constexpr Oid kOid = 26;
constexpr Oid kNumeric = 1700;

QString nextStatementName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("ztd_%1").arg(++counter);
}

bool isInteger(Oid type) {
    return type == kInt8 || type == kInt2 || type == kInt4 || type == kOid || type == kNumeric ||
           type == kBool;
}

class PostgresStatement final : public SqlStatement {
public:
    PostgresStatement(pg_conn* connection, QByteArray name, bool ownsConnection)
        : connection_(connection)
        , name_(std::move(name))
        , ownsConnection_(ownsConnection) {}

    ~PostgresStatement() override {
        finishReading();
        if (ownsConnection_) {
            PQfinish(connection_);
            return;
        }
        PQclear(PQexec(connection_, ("DEALLOCATE " + name_).constData()));
    }

    // Reads what the server says about the statement; false on failure.
    bool describe(QSqlError* error) {
        PGresult* described = PQdescribePrepared(connection_, name_.constData());
        if (PQresultStatus(described) != PGRES_COMMAND_OK) {
            if (error)
                *error = errorOf(described, connection_);
            PQclear(described);
            return false;
        }
        params_.resize(PQnparams(described));
        for (int i = 0; i < PQnfields(described); ++i)
            types_.push_back(PQftype(described, i));
        PQclear(described);
        return true;
    }

    void bind(int position, const QVariant& value) override {
        if (position < 1 || position > int(params_.size()))
            return;
        auto& param = params_[position - 1];
        if (!value.isValid())
            param.reset();
        else if (value.typeId() == QMetaType::QString)
            param = value.toString().toUtf8();
        else if (value.typeId() == QMetaType::Bool)
            param = value.toBool() ? QByteArray("1") : QByteArray("0");
        else
            param = QByteArray::number(value.toLongLong());
    }

    bool step() override {
        if (!running_ && !start())
            return false;
        PQclear(row_);
        row_ = PQgetResult(connection_);
        if (!row_) {
            running_ = false;
            return false;
        }
        switch (PQresultStatus(row_)) {
        case PGRES_SINGLE_TUPLE:
            ++rowsRead_;
            return true;
        case PGRES_TUPLES_OK:
        case PGRES_COMMAND_OK:
            finishReading();
            return false;
        default:
            error_ = errorOf(row_, connection_);
            finishReading();
            return false;
        }
    }

    void reset() override {
        // A read stopped half-way would otherwise bring every row it has left.
        if (running_ && rowsRead_ > 1) {
            if (PGcancel* cancel = PQgetCancel(connection_)) {
                char reason[256];
                PQcancel(cancel, reason, sizeof reason);
                PQfreeCancel(cancel);
            }
        }
        finishReading();
    }

    QSqlError error() const override { return error_; }
    int columnCount() const override { return int(types_.size()); }

    bool isNull(int column) const override { return PQgetisnull(row_, 0, column); }

    qint64 integer(int column) const override {
        const char* text = PQgetvalue(row_, 0, column);
        if (types_[column] == kBool)
            return text[0] == 't' ? 1 : 0;
        return QByteArrayView(text, PQgetlength(row_, 0, column)).toLongLong();
    }

    QByteArrayView text(int column) const override {
        return QByteArrayView(PQgetvalue(row_, 0, column), PQgetlength(row_, 0, column));
    }

    QVariant value(int column) const override {
        if (isNull(column))
            return QVariant();
        if (isInteger(types_[column]))
            return QVariant(integer(column));
        const QByteArrayView bytes = text(column);
        return QVariant(QString::fromUtf8(bytes.data(), bytes.size()));
    }

private:
    bool start() {
        std::vector<const char*> values;
        std::vector<int> lengths;
        for (const auto& param : params_) {
            values.push_back(param ? param->constData() : nullptr);
            lengths.push_back(param ? int(param->size()) : 0);
        }
        error_ = QSqlError();
        rowsRead_ = 0;
        if (!PQsendQueryPrepared(connection_, name_.constData(), int(values.size()), values.data(),
                                 lengths.data(), nullptr, 0)) {
            error_ = errorOf(nullptr, connection_);
            return false;
        }
        PQsetSingleRowMode(connection_);
        running_ = true;
        return true;
    }

    void finishReading() {
        PQclear(row_);
        row_ = nullptr;
        if (!running_)
            return;
        while (PGresult* rest = PQgetResult(connection_))
            PQclear(rest);
        running_ = false;
    }

    pg_conn* connection_;
    QByteArray name_;
    bool ownsConnection_;
    std::vector<std::optional<QByteArray>> params_;
    std::vector<Oid> types_;
    PGresult* row_ = nullptr;
    bool running_ = false;
    qint64 rowsRead_ = 0;
    QSqlError error_;
};
} // namespace

pg_conn* handle(const QSqlDatabase& database) {
    return *static_cast<pg_conn* const*>(database.driver()->handle().constData());
}

QSqlError errorOf(const pg_result* result, pg_conn* connection) {
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const char* message = result ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    const QString text =
        QString::fromUtf8(message ? message : PQerrorMessage(connection)).trimmed();
    const QString code = state                                    ? QString::fromLatin1(state)
                         : PQstatus(connection) == CONNECTION_BAD ? QStringLiteral("08006")
                                                                  : QString();
    return QSqlError(QString(), text, QSqlError::StatementError, code);
}

QString numberedPlaceholders(const QString& sql) {
    QString out;
    out.reserve(sql.size() + 16);
    QChar quote;
    int number = 0;
    for (const QChar c : sql) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u'?') {
            out += QLatin1Char('$') + QString::number(++number);
            continue;
        }
        out += c;
    }
    return out;
}

std::unique_ptr<SqlStatement> prepare(pg_conn* connection, const QString& sql, QSqlError* error,
                                      bool ownsConnection) {
    const QByteArray name = nextStatementName().toLatin1();
    PGresult* prepared = PQprepare(connection, name.constData(),
                                   numberedPlaceholders(sql).toUtf8().constData(), 0, nullptr);
    const bool ok = PQresultStatus(prepared) == PGRES_COMMAND_OK;
    if (!ok && error)
        *error = errorOf(prepared, connection);
    PQclear(prepared);
    if (!ok) {
        if (ownsConnection)
            PQfinish(connection);
        return nullptr;
    }
    auto statement = std::make_unique<PostgresStatement>(connection, name, ownsConnection);
    if (!statement->describe(error))
        return nullptr;
    return statement;
}

} // namespace postgres_engine
