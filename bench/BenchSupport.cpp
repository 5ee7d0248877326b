#include "BenchSupport.h"

#include "ArchiveGenerator.h"
#include "archive/ArchiveCopy.h"
#include "tables/TableStore.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace bench {

Prompter::Answer QuietPrompter::message(const QString& text, const QString& caption, Buttons) {
    if (caption == QLatin1String("Fehler"))
        fprintf(stderr, "Fehler: %s\n", qPrintable(text));
    return Answer::Ok;
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
    return onServer() ? serverFolder : QFileInfo(path).absolutePath();
}

QString Dataset::label(const char* name) const {
    return onServer() ? QStringLiteral("%1/postgresql/%2").arg(QLatin1String(name)).arg(rows)
                      : QStringLiteral("%1/%2").arg(QLatin1String(name)).arg(rows);
}

QString dataFolder() {
    return qEnvironmentVariable("ZTD_BENCH_DATA", QStringLiteral("build/bench-data"));
}

Dataset emptyArchive(const QString& folder) {
    return Dataset{0, QDir(folder).filePath(TableStore::fileName()), {}, {}};
}

Dataset prepareDataset(int rows) {
    const Dataset data{rows, archive_generator::ensureDatabase(dataFolder(), rows), {}, {}};
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

std::optional<ServerAddress> benchServer() {
    const QString url = qEnvironmentVariable("ZTD_BENCH_POSTGRES");
    if (url.isEmpty())
        return std::nullopt;
    QString error;
    const auto server = ServerAddress::parse(url, &error);
    if (!server) {
        fprintf(stderr, "ZTD_BENCH_POSTGRES: %s\n", qPrintable(error));
        std::abort();
    }
    return server;
}

namespace {

QList<qint64> counts(Raw& raw) {
    return {raw.integer(QStringLiteral("SELECT count(*) FROM zt")),
            raw.integer(QStringLiteral("SELECT count(*) FROM kunden"))};
}

Dataset copiedToServer(const Dataset& file, const ServerAddress& base) {
    Dataset data = file;
    data.server = base;
    data.server.database = QStringLiteral("%1_bench_%2").arg(base.database).arg(file.rows);
    data.serverFolder = QDir(dataFolder()).filePath(QStringLiteral("server-%1").arg(file.rows));
    QDir().mkpath(data.serverFolder);
    Raw fileRaw(file.path);
    const QList<qint64> wanted = counts(fileRaw);
    Raw admin(base);
    const QString database = QLatin1Char('"') + data.server.database + QLatin1Char('"');
    if (admin.integer(QStringLiteral("SELECT count(*) FROM pg_database WHERE datname = '%1'")
                          .arg(data.server.database)) > 0) {
        QuietPrompter prompter;
        TableStore store(data.location(), prompter);
        if (store.open()) {
            Raw server(data.server);
            if (counts(server) == wanted)
                return data;
        }
        admin.exec(QStringLiteral("DROP DATABASE %1 WITH (FORCE)").arg(database));
    }
    admin.exec(QStringLiteral("CREATE DATABASE %1").arg(database));
    fprintf(stderr, "Kopiere das Archiv mit %d Zeilen auf den Server …\n", file.rows);
    QuietPrompter prompter;
    TableStore from(file.folder(), prompter);
    TableStore to(data.location(), prompter);
    if (!from.open() || !to.open())
        std::abort();
    const archive_copy::Outcome outcome = archive_copy::copy(from, to, prompter);
    if (!outcome.ok()) {
        fprintf(stderr, "%s\n", qPrintable(outcome.error));
        std::abort();
    }
    // As the server's autovacuum leaves a table soon after a bulk load.
    Raw(data.server).exec(QStringLiteral("VACUUM ANALYZE zt, kunden"));
    return data;
}

} // namespace

std::vector<Dataset> prepareDatasets() {
    const std::optional<ServerAddress> server = benchServer();
    std::vector<Dataset> datasets;
    for (const int rows : kSizes) {
        const Dataset file = prepareDataset(rows);
        datasets.push_back(server ? copiedToServer(file, *server) : file);
    }
    return datasets;
}

void ensureIndex(const Dataset& data, const char* name, const char* columns) {
    Raw(data).exec(
        QStringLiteral("CREATE INDEX IF NOT EXISTS \"zt:%1\" ON zt (%2)").arg(name, columns));
}

void dropIndex(const Dataset& data, const char* name) {
    Raw(data).exec(QStringLiteral("DROP INDEX IF EXISTS \"zt:%1\"").arg(name));
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
               data.label(name).toUtf8().constData(),
               [body = std::move(body), data](benchmark::State& state) { body(state, data); })
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime();
}

} // namespace bench
