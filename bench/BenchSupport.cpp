#include "BenchSupport.h"

#include "ArchiveGenerator.h"
#include "tables/GermanCollation.h"
#include "tables/TableStore.h"

#include <QFileInfo>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sqlite3.h>

namespace bench {

Prompter::Answer QuietPrompter::message(const QString& text, const QString& caption, Buttons) {
    if (caption == QLatin1String("Fehler"))
        fprintf(stderr, "Fehler: %s\n", qPrintable(text));
    return Answer::Ok;
}

Raw::Raw(const QString& path) {
    if (sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        fprintf(stderr, "%s: %s\n", qPrintable(path), sqlite3_errmsg(db_));
        std::abort();
    }
    german_collation::registerOn(db_);
    sqlite3_busy_timeout(db_, 5000);
    exec(QStringLiteral("PRAGMA synchronous=FULL"));
}

Raw::~Raw() {
    for (sqlite3_stmt* statement : statements_)
        sqlite3_finalize(statement);
    sqlite3_close(db_);
}

sqlite3_stmt* Raw::prepare(const QString& sql) {
    if (sqlite3_stmt* known = statements_.value(sql))
        return known;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK) {
        fprintf(stderr, "%s: %s\n", qPrintable(sql), sqlite3_errmsg(db_));
        std::abort();
    }
    statements_.insert(sql, statement);
    return statement;
}

void Raw::exec(const QString& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        fprintf(stderr, "%s: %s\n", qPrintable(sql), error);
        std::abort();
    }
}

qint64 Raw::integer(const QString& sql) {
    sqlite3_stmt* statement = prepare(sql);
    const qint64 value =
        sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : 0;
    sqlite3_reset(statement);
    return value;
}

int Raw::readAll(sqlite3_stmt* statement) {
    int rows = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int i = 0; i < sqlite3_column_count(statement); ++i)
            benchmark::DoNotOptimize(sqlite3_column_text(statement, i));
        ++rows;
    }
    sqlite3_reset(statement);
    return rows;
}

void Raw::countAndFirstPage(const QString& order, const QString& where) {
    const QString condition = where.isEmpty() ? QString() : QLatin1String(" WHERE ") + where;
    sqlite3_stmt* count = prepare(QLatin1String("SELECT count(*) FROM zt") + condition);
    sqlite3_stmt* page = prepare(withAllColumns("SELECT %1 FROM zt") + condition +
                                 QStringLiteral(" ORDER BY %1 LIMIT 64").arg(order));
    readAll(count);
    readAll(page);
}

void Raw::bind(sqlite3_stmt* statement, int position, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(statement, position, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

RowCopy::RowCopy(Raw& raw, const QString& table, const QString& condition)
    : table_(table) {
    sqlite3_stmt* read =
        raw.prepare(QStringLiteral("SELECT * FROM %1 WHERE %2").arg(table, condition));
    while (sqlite3_step(read) == SQLITE_ROW) {
        std::vector<sqlite3_value*> row;
        for (int i = 0; i < sqlite3_column_count(read); ++i)
            row.push_back(sqlite3_value_dup(sqlite3_column_value(read, i)));
        rows_.push_back(std::move(row));
    }
    sqlite3_reset(read);
}

RowCopy::~RowCopy() {
    release();
}

RowCopy::RowCopy(RowCopy&& other) noexcept
    : table_(std::move(other.table_))
    , rows_(std::move(other.rows_)) {
    other.rows_.clear();
}

RowCopy& RowCopy::operator=(RowCopy&& other) noexcept {
    release();
    table_ = std::move(other.table_);
    rows_ = std::move(other.rows_);
    other.rows_.clear();
    return *this;
}

void RowCopy::release() {
    for (const auto& row : rows_)
        for (sqlite3_value* value : row)
            sqlite3_value_free(value);
    rows_.clear();
}

void RowCopy::insertInto(Raw& raw) const {
    if (rows_.empty())
        return;
    QStringList marks;
    for (size_t i = 0; i < rows_.front().size(); ++i)
        marks << QStringLiteral("?");
    sqlite3_stmt* insert =
        raw.prepare(QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(table_, marks.join(',')));
    for (const auto& row : rows_) {
        for (size_t i = 0; i < row.size(); ++i)
            sqlite3_bind_value(insert, int(i) + 1, row[i]);
        if (sqlite3_step(insert) != SQLITE_DONE) {
            fprintf(stderr, "%s\n", sqlite3_errmsg(raw.db()));
            std::abort();
        }
        sqlite3_reset(insert);
    }
}

const char* const kAllColumns =
    "rowid, Zaehler, AuftragNr, Auftraggeber, Geraeteart, Hersteller, Typenbezeichnung, "
    "Schutzklasse, Nennstrom, Seriennummer, Nennspannung, Nennleistung, FehlerZeile1, "
    "FehlerZeile2, FehlerZeile3, RepArbeitenZeile1, RepArbeitenZeile2, RepArbeitenZeile3, "
    "Pruefung, Besichtigung1, Besichtigung2, Besichtigung3, Messung1, Messung2, Messung3, "
    "Einheit1, Einheit2, Einheit3, Wert1, Wert2, Wert3, Satz1, Satz2, Satz3, Satz4, Termin, Ort, "
    "Datum, Alles, Dateiname, Gefunden, Kundennummer, Ordnung, Diff, Niso";

QString withAllColumns(const char* pattern) {
    return QString::fromLatin1(pattern).arg(QLatin1String(kAllColumns));
}

QString Dataset::folder() const {
    return QFileInfo(path).absolutePath();
}

QString dataFolder() {
    return qEnvironmentVariable("ZTD_BENCH_DATA", QStringLiteral("build/bench-data"));
}

Dataset prepareDataset(int rows) {
    const Dataset data{rows, archive_generator::ensureDatabase(dataFolder(), rows)};
    {
        QuietPrompter prompter;
        TableStore store(data.folder(), prompter);
        if (!store.open())
            std::abort();
    }
    Raw raw(data.path);
    if (raw.integer(QStringLiteral("SELECT count(*) FROM kunden WHERE Kundennummer = 0")) == 0)
        raw.exec(
            QStringLiteral("INSERT INTO kunden (Kundennummer, Auftraggeber, AuftraggeberStrasse, "
                           "AuftraggeberOrt) VALUES (0, 'Elektro Schulze GmbH', 'Industrieweg 4', "
                           "'54321 Beispielheim')"));
    return data;
}

void ensureIndex(const Dataset& data, const char* name, const char* columns) {
    Raw(data.path).exec(
        QStringLiteral("CREATE INDEX IF NOT EXISTS \"zt:%1\" ON zt (%2)").arg(name, columns));
}

void dropIndex(const Dataset& data, const char* name) {
    Raw(data.path).exec(QStringLiteral("DROP INDEX IF EXISTS \"zt:%1\"").arg(name));
}

double millisecondsOf(const std::function<void()>& step) {
    const auto start = std::chrono::steady_clock::now();
    step();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t half = values.size() / 2;
    return values.size() % 2 ? values[half] : (values[half - 1] + values[half]) / 2;
}

void compare(benchmark::State& state, const Step& ours, const Step& raw) {
    std::vector<double> oursMs, rawMs;
    for (auto _ : state) {
        oursMs.push_back(millisecondsOf(ours.run));
        state.SetIterationTime(oursMs.back() / 1000);
        if (ours.tidy)
            ours.tidy();
        rawMs.push_back(millisecondsOf(raw.run));
        if (raw.tidy)
            raw.tidy();
    }
    const double oursMedian = median(oursMs);
    const double rawMedian = median(rawMs);
    state.counters["ours_ms"] = oursMedian;
    state.counters["raw_ms"] = rawMedian;
    state.counters["ratio"] = rawMedian > 0 ? oursMedian / rawMedian : 0;
}

benchmark::internal::Benchmark* add(const char* name, const Dataset& data, Body body) {
    return benchmark::RegisterBenchmark(
               QStringLiteral("%1/%2").arg(QLatin1String(name)).arg(data.rows).toUtf8().constData(),
               [body = std::move(body), data](benchmark::State& state) { body(state, data); })
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime();
}

} // namespace bench
