// Speed of the table store at 100 000 and 1 000 000 archive rows, each step
// beside the same query asked of SQLite directly (C API, same file, same
// collation), as a ratio measured in the same run.
//
//   scripts/bench.sh [--benchmarkFieldfilter=...]
#include "ArchiveGenerator.h"
#include "common/Prompter.h"
#include "tables/CustomerTable.h"
#include "tables/GermanCollation.h"
#include "tables/TableCursor.h"
#include "tables/TableGridModel.h"
#include "tables/TableStore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <sqlite3.h>

namespace {

// Answers every question with its first button; errors go to standard error.
class QuietPrompter : public Prompter {
public:
    Answer message(const QString& text, const QString& caption, Buttons) override {
        if (caption == QLatin1String("Fehler"))
            fprintf(stderr, "Fehler: %s\n", qPrintable(text));
        return Answer::Ok;
    }
    std::optional<QString> openFile(const FileDialog&) override { return std::nullopt; }
    std::optional<QStringList> openFiles(const FileDialog&) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileDialog&) override { return std::nullopt; }
    bool printDialog(QPrinter&) override { return false; }
    bool printerSetup(QPrinter&) override { return false; }
    void beep() override {}
};

QuietPrompter prompter;

// SQLite asked directly, with the same collation registered.
class Raw {
public:
    explicit Raw(const QString& path) {
        sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        german_collation::registerOn(db_);
    }
    ~Raw() {
        for (auto* statement : statements_)
            sqlite3_finalize(statement);
        sqlite3_close(db_);
    }
    sqlite3* db() { return db_; }

    sqlite3_stmt* prepare(const char* sql) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) != SQLITE_OK) {
            fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(db_));
            std::abort();
        }
        statements_.push_back(statement);
        return statement;
    }
    void exec(const char* sql) { sqlite3_exec(db_, sql, nullptr, nullptr, nullptr); }

    // Steps the statement and reads every column of each row, as the store does.
    int readAll(sqlite3_stmt* statement) {
        int rows = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(statement); ++i)
                benchmark::DoNotOptimize(sqlite3_column_text(statement, i));
            ++rows;
        }
        sqlite3_reset(statement);
        return rows;
    }

    static void bind(sqlite3_stmt* statement, int position, const QString& text) {
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(statement, position, utf8.constData(), int(utf8.size()),
                          SQLITE_TRANSIENT);
    }

private:
    sqlite3* db_ = nullptr;
    std::vector<sqlite3_stmt*> statements_;
};

const char* const kAllColumns =
    "rowid, Zaehler, AuftragNr, Auftraggeber, Geraeteart, Hersteller, Typenbezeichnung, "
    "Schutzklasse, Nennstrom, Seriennummer, Nennspannung, Nennleistung, FehlerZeile1, "
    "FehlerZeile2, FehlerZeile3, RepArbeitenZeile1, RepArbeitenZeile2, RepArbeitenZeile3, "
    "Pruefung, Besichtigung1, Besichtigung2, Besichtigung3, Messung1, Messung2, Messung3, "
    "Einheit1, Einheit2, Einheit3, Wert1, Wert2, Wert3, Satz1, Satz2, Satz3, Satz4, Termin, Ort, "
    "Datum, Alles, Dateiname, Gefunden, Kundennummer, Ordnung, Diff, Niso";

QString sql(const char* pattern) {
    return QString::fromLatin1(pattern).arg(QLatin1String(kAllColumns));
}

using Clock = std::chrono::steady_clock;

// Times ours in the benchmark loop, then the raw query as often, and reports both.
void compare(benchmark::State& state, const std::function<void()>& ours,
             const std::function<void()>& raw) {
    double oursSeconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        ours();
        oursSeconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    const auto iterations = state.iterations();
    const auto start = Clock::now();
    for (benchmark::IterationCount i = 0; i < iterations; ++i)
        raw();
    const double rawSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.counters["ours_ms"] = oursSeconds * 1000 / double(iterations);
    state.counters["raw_ms"] = rawSeconds * 1000 / double(iterations);
    state.counters["ratio"] = oursSeconds / rawSeconds;
}

struct Dataset {
    int rows;
    QString path;
    QString folder() const { return QFileInfo(path).absolutePath(); }
};

const QString kCustomer = QStringLiteral("Elektro Müller");

void ensureAktuell(const Dataset& data) {
    Raw raw(data.path);
    raw.exec("CREATE INDEX IF NOT EXISTS \"zt:Aktuell\" ON zt (Auftraggeber, Zaehler)");
}

void openFirstLast(benchmark::State& state, const Dataset& data) {
    compare(
        state,
        [&] {
            TableStore store(data.folder(), prompter);
            TableCursor zt(store, QStringLiteral("zt"));
            zt.setIndexName(QStringLiteral("Standard"));
            zt.open();
            zt.last();
            benchmark::DoNotOptimize(zt.integer(QStringLiteral("Zaehler")));
        },
        [&] {
            Raw raw(data.path);
            raw.readAll(raw.prepare(
                sql("SELECT %1 FROM zt ORDER BY Zaehler LIMIT 1").toUtf8().constData()));
            raw.readAll(raw.prepare(
                sql("SELECT %1 FROM zt ORDER BY Zaehler DESC LIMIT 1").toUtf8().constData()));
        });
}

void next1000(benchmark::State& state, const Dataset& data) {
    TableStore store(data.folder(), prompter);
    TableCursor zt(store, QStringLiteral("zt"));
    zt.setIndexName(QStringLiteral("Aktuell"));
    zt.open();
    zt.locate(QStringLiteral("Auftraggeber"), {QStringLiteral("M")}, {true, true});
    Raw raw(data.path);
    const QByteArray rawSql =
        sql("SELECT %1 FROM zt WHERE (Auftraggeber, Zaehler) > (?, ?) ORDER BY Auftraggeber, "
            "Zaehler LIMIT 1")
            .toUtf8();
    sqlite3_stmt* step = raw.prepare(rawSql.constData());
    QString name = zt.text(QStringLiteral("Auftraggeber"));
    qint64 number = zt.integer(QStringLiteral("Zaehler"));
    compare(
        state,
        [&] {
            for (int i = 0; i < 1000; ++i)
                if (!zt.next())
                    zt.first();
        },
        [&] {
            for (int i = 0; i < 1000; ++i) {
                Raw::bind(step, 1, name);
                sqlite3_bind_int64(step, 2, number);
                if (sqlite3_step(step) == SQLITE_ROW) {
                    for (int c = 0; c < sqlite3_column_count(step); ++c)
                        benchmark::DoNotOptimize(sqlite3_column_text(step, c));
                    name = QString::fromUtf8(
                        reinterpret_cast<const char*>(sqlite3_column_text(step, 3)));
                    number = sqlite3_column_int64(step, 1);
                }
                sqlite3_reset(step);
            }
        });
}

void locatePrefix(benchmark::State& state, const Dataset& data) {
    TableStore store(data.folder(), prompter);
    TableCursor zt(store, QStringLiteral("zt"));
    zt.setIndexName(QStringLiteral("Aktuell"));
    zt.open();
    Raw raw(data.path);
    const QByteArray rawSql = sql("SELECT %1 FROM zt WHERE Auftraggeber >= ? AND Auftraggeber < "
                                  "? ORDER BY Auftraggeber, Zaehler LIMIT 1")
                                  .toUtf8();
    sqlite3_stmt* find = raw.prepare(rawSql.constData());
    const QString prefix = QStringLiteral("elektro mül");
    compare(
        state,
        [&] {
            if (!zt.locate(QStringLiteral("Auftraggeber"), {prefix}, {true, true}))
                state.SkipWithError("nicht gefunden");
        },
        [&] {
            Raw::bind(find, 1, prefix);
            Raw::bind(find, 2, german_collation::upperBound(prefix));
            raw.readAll(find);
        });
}

void filteredFirstPage(benchmark::State& state, const Dataset& data) {
    TableStore store(data.folder(), prompter);
    TableCursor zt(store, QStringLiteral("zt"));
    zt.setIndexName(QStringLiteral("Standard"));
    zt.open();
    Raw raw(data.path);
    const QByteArray rawSql =
        sql("SELECT %1 FROM zt WHERE Auftraggeber = ? AND (Termin <> '' AND Termin <= ?) ORDER "
            "BY Zaehler LIMIT 64")
            .toUtf8();
    sqlite3_stmt* page = raw.prepare(rawSql.constData());
    // A grid with a scroll bar must also know how many rows pass.
    sqlite3_stmt* count = raw.prepare("SELECT count(*) FROM zt WHERE Auftraggeber = ? AND "
                                      "(Termin <> '' AND Termin <= ?)");
    const auto rawPage = [&] {
        Raw::bind(page, 1, kCustomer);
        Raw::bind(page, 2, QStringLiteral("2015-12-31"));
        raw.readAll(page);
    };
    const QString filter =
        QStringLiteral("Auftraggeber='%1' AND Termin<= 31.12.2015 ").arg(kCustomer);
    compare(
        state,
        [&] {
            zt.setFiltered(false);
            zt.setFilter(filter);
            zt.setFiltered(true);
            TableGridModel grid(zt);
            const int rows = std::min(grid.rowCount(), TableGridModel::kPageSize);
            for (int row = 0; row < rows; ++row)
                benchmark::DoNotOptimize(grid.data(grid.index(row, 2)));
        },
        [&] {
            Raw::bind(count, 1, kCustomer);
            Raw::bind(count, 2, QStringLiteral("2015-12-31"));
            raw.readAll(count);
            rawPage();
        });
    const auto start = Clock::now();
    for (int i = 0; i < 100; ++i)
        rawPage();
    state.counters["raw_page_only_ms"] =
        std::chrono::duration<double>(Clock::now() - start).count() * 10;
}

void buildIndex(benchmark::State& state, const Dataset& data) {
    TableStore store(data.folder(), prompter);
    TableCursor zt(store, QStringLiteral("zt"));
    Raw raw(data.path);
    compare(
        state,
        [&] {
            zt.addIndex(QStringLiteral("Messung"), QStringLiteral("Auftraggeber;Zaehler"));
            state.PauseTiming();
            zt.deleteIndex(QStringLiteral("Messung"));
            state.ResumeTiming();
        },
        [&] {
            raw.exec("CREATE INDEX \"zt:Roh\" ON zt (Auftraggeber, Zaehler)");
            raw.exec("DROP INDEX \"zt:Roh\"");
        });
}

void gridSetUp(benchmark::State& state, const Dataset& data) {
    TableStore store(data.folder(), prompter);
    TableCursor zt(store, QStringLiteral("zt"));
    zt.setIndexName(QStringLiteral("Aktuell"));
    zt.open();
    Raw raw(data.path);
    sqlite3_stmt* keys =
        raw.prepare("SELECT Auftraggeber, Zaehler FROM zt ORDER BY Auftraggeber, Zaehler");
    compare(
        state,
        [&] {
            TableGridModel grid(zt);
            benchmark::DoNotOptimize(grid.rowCount());
        },
        [&] { raw.readAll(keys); });
}

void gridPageAtHalf(benchmark::State& state, const Dataset& data) {
    TableStore store(data.folder(), prompter);
    TableCursor zt(store, QStringLiteral("zt"));
    zt.setIndexName(QStringLiteral("Aktuell"));
    zt.open();
    TableGridModel grid(zt);
    const int half = grid.rowCount() / 2;
    Raw raw(data.path);
    const QByteArray rawSql =
        sql("SELECT %1 FROM zt WHERE (Auftraggeber, Zaehler) >= (?, ?) ORDER BY Auftraggeber, "
            "Zaehler LIMIT 64")
            .toUtf8();
    sqlite3_stmt* page = raw.prepare(rawSql.constData());
    // Every iteration reads a page not read before, so no cache helps.
    int nextPage = 0;
    QList<std::pair<QString, qint64>> firstKeys;
    compare(
        state,
        [&] {
            const int row = half + nextPage++ * TableGridModel::kPageSize;
            for (int column = 0; column < 44; ++column)
                benchmark::DoNotOptimize(grid.data(grid.index(row, column)));
            firstKeys.append({grid.data(grid.index(row, 2)).toString(),
                              grid.data(grid.index(row, 0)).toLongLong()});
        },
        [&] {
            static int used = 0;
            const auto& [name, number] = firstKeys[used++ % firstKeys.size()];
            Raw::bind(page, 1, name);
            sqlite3_bind_int64(page, 2, number);
            raw.readAll(page);
        });
    sqlite3_stmt* offset =
        raw.prepare(sql("SELECT %1 FROM zt ORDER BY Auftraggeber, Zaehler LIMIT 64 OFFSET ?")
                        .toUtf8()
                        .constData());
    const auto start = Clock::now();
    sqlite3_bind_int(offset, 1, half);
    raw.readAll(offset);
    state.counters["raw_offset_ms"] =
        std::chrono::duration<double>(Clock::now() - start).count() * 1000;
}

void rename(benchmark::State& state, const Dataset& data) {
    const int customer = 1 + int(archive_generator::customerNames().indexOf(kCustomer));
    TableStore store(data.folder(), prompter);
    TableCursor kunden(store, QStringLiteral("kunden"));
    kunden.setIndexName(QStringLiteral("Standard"));
    kunden.open();
    kunden.beforePost = [](TableCursor& c) { customer_table::beforePost(c, prompter); };
    customer_table::findByNumber(kunden, customer);
    Raw raw(data.path);
    sqlite3_stmt* archive = raw.prepare("UPDATE zt SET Auftraggeber = ? WHERE Kundennummer = ?");
    sqlite3_stmt* customers = raw.prepare(
        "UPDATE kunden SET Auftraggeber = ?, KopieAuftraggeber = ? WHERE Kundennummer = ?");
    int round = 0;
    compare(
        state,
        [&] {
            kunden.edit();
            kunden.setText(QStringLiteral("Auftraggeber"),
                           kCustomer + (++round % 2 ? QStringLiteral(" & Sohn") : QString()));
            kunden.post();
        },
        [&] {
            const QString name = kCustomer + (++round % 2 ? QStringLiteral(" & Sohn") : QString());
            raw.exec("BEGIN");
            Raw::bind(archive, 1, name);
            sqlite3_bind_int(archive, 2, customer);
            sqlite3_step(archive);
            sqlite3_reset(archive);
            Raw::bind(customers, 1, name);
            Raw::bind(customers, 2, name);
            sqlite3_bind_int(customers, 3, customer);
            sqlite3_step(customers);
            sqlite3_reset(customers);
            raw.exec("COMMIT");
        });
    // Leave the file as it was generated.
    kunden.edit();
    kunden.setText(QStringLiteral("Auftraggeber"), kCustomer);
    kunden.post();
    sqlite3_stmt* count = raw.prepare("SELECT count(*) FROM zt WHERE Kundennummer = ?");
    sqlite3_bind_int(count, 1, customer);
    sqlite3_step(count);
    state.counters["archive_rows"] = double(sqlite3_column_int(count, 0));
    sqlite3_reset(count);
}

// A new search of the archive: every mark taken off, the first row whose
// customer begins with the text (letter case as typed) found and marked.
void newSearch(benchmark::State& state, const Dataset& data) {
    TableStore store(data.folder(), prompter);
    TableCursor zt(store, QStringLiteral("zt"));
    zt.setIndexName(QStringLiteral("Aktuell"));
    zt.open();
    Raw raw(data.path);
    sqlite3_stmt* clear = raw.prepare("UPDATE zt SET Gefunden = 0 WHERE Gefunden IS NOT 0");
    const QByteArray rawSql =
        sql("SELECT rowid, %1 FROM zt WHERE Auftraggeber >= ? AND Auftraggeber < ? AND "
            "substr(Auftraggeber, 1, ?) = ? COLLATE BINARY ORDER BY Auftraggeber, Zaehler LIMIT 1")
            .toUtf8();
    sqlite3_stmt* find = raw.prepare(rawSql.constData());
    sqlite3_stmt* mark = raw.prepare("UPDATE zt SET Gefunden = 1 WHERE rowid = ?");
    const QString prefix = QStringLiteral("Elektro Mü");
    const QString markField = QStringLiteral("Gefunden");
    compare(
        state,
        [&] {
            zt.setValueInAllRows(markField, false);
            if (!zt.locate(QStringLiteral("Auftraggeber"), {prefix}, {true, false}) ||
                !zt.setValueInCurrentRow(markField, true))
                state.SkipWithError("nicht gefunden");
        },
        [&] {
            sqlite3_step(clear);
            sqlite3_reset(clear);
            Raw::bind(find, 1, prefix);
            Raw::bind(find, 2, german_collation::upperBound(prefix));
            sqlite3_bind_int(find, 3, int(prefix.size()));
            Raw::bind(find, 4, prefix);
            sqlite3_step(find);
            const qint64 row = sqlite3_column_int64(find, 0);
            sqlite3_reset(find);
            sqlite3_bind_int64(mark, 1, row);
            sqlite3_step(mark);
            sqlite3_reset(mark);
        });
    zt.setValueInAllRows(markField, false);
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const QString folder =
        qEnvironmentVariable("ZTD_BENCH_DATA", QStringLiteral("build/bench-data"));
    for (const int rows : {100000, 1000000}) {
        const Dataset data{rows, archive_generator::ensureDatabase(folder, rows)};
        ensureAktuell(data);
        const auto add = [&](const char* name, void (*run)(benchmark::State&, const Dataset&)) {
            return benchmark::RegisterBenchmark(
                       QStringLiteral("%1/%2").arg(name).arg(rows).toUtf8().constData(),
                       [run, data](benchmark::State& s) { run(s, data); })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        };
        add("OpenFirstLast", openFirstLast);
        add("Next1000", next1000);
        add("LocatePrefixCaseInsensitive", locatePrefix);
        add("FilteredFirstPage", filteredFirstPage);
        add("BuildIndexAktuell", buildIndex)->Iterations(3);
        add("GridSetUp", gridSetUp)->Iterations(3);
        add("GridPageAtHalf", gridPageAtHalf)->Iterations(200);
        add("Rename", rename)->Iterations(20);
        add("NewSearch", newSearch)->Iterations(20);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
