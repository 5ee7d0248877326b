// Speed of the table store at 100 000 and 1 000 000 archive rows, each step
// beside the same query asked of SQLite directly (C API, same file, same
// collation), interleaved, as medians and their ratio.
//
//   scripts/bench.sh [--benchmark_filter=...]
#include "ArchiveGenerator.h"
#include "BenchSupport.h"
#include "addresses/CustomerTable.h"
#include "tables/GermanCollation.h"
#include "tables/TableCursor.h"
#include "tables/TableGridModel.h"
#include "tables/TableStore.h"

#include <QCoreApplication>

#include <sqlite3.h>

namespace {

using namespace bench;

QuietPrompter prompter;

const QString kCustomer = QStringLiteral("Elektro Müller");
const QString kStandard = QStringLiteral("Standard");
const QString kAktuell = QStringLiteral("Aktuell");

// The order "Aktuell" exists only after a sort by customer; steps that walk
// in that order get it, the others see the indexes of a freshly opened window.
void sortedByCustomer(const Dataset& data) {
    ensureIndex(data, "Aktuell", "Auftraggeber, Zaehler");
}
void inNumberOrder(const Dataset& data) {
    dropIndex(data, "Aktuell");
}

void openFirstLast(benchmark::State& state, const Dataset& data) {
    inNumberOrder(data);
    compare(
        state,
        [&] {
            TableStore store(data.folder(), prompter);
            TableCursor zt(store, QStringLiteral("zt"));
            zt.setIndexName(kStandard);
            zt.open();
            zt.last();
            benchmark::DoNotOptimize(zt.integer(QStringLiteral("Zaehler")));
        },
        [&] {
            Raw raw(data.path);
            raw.readAll(raw.prepare(withAllColumns("SELECT %1 FROM zt ORDER BY Zaehler LIMIT 1")));
            raw.readAll(
                raw.prepare(withAllColumns("SELECT %1 FROM zt ORDER BY Zaehler DESC LIMIT 1")));
        });
}

void next1000(benchmark::State& state, const Dataset& data) {
    sortedByCustomer(data);
    TableStore store(data.folder(), prompter);
    TableCursor zt(store, QStringLiteral("zt"));
    zt.setIndexName(kAktuell);
    zt.open();
    zt.locate(QStringLiteral("Auftraggeber"), {QStringLiteral("M")}, {true, true});
    Raw raw(data.path);
    sqlite3_stmt* step = raw.prepare(
        withAllColumns("SELECT %1 FROM zt WHERE (Auftraggeber, Zaehler) > (?, ?) ORDER BY "
                       "Auftraggeber, Zaehler LIMIT 1"));
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
    sortedByCustomer(data);
    TableStore store(data.folder(), prompter);
    TableCursor zt(store, QStringLiteral("zt"));
    zt.setIndexName(kAktuell);
    zt.open();
    Raw raw(data.path);
    sqlite3_stmt* find =
        raw.prepare(withAllColumns("SELECT %1 FROM zt WHERE Auftraggeber >= ? AND Auftraggeber < "
                                   "? ORDER BY Auftraggeber, Zaehler LIMIT 1"));
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

// Only "Standard" and the store's helper indexes serve the filter, as in a
// window that has not been sorted.
void filteredFirstPage(benchmark::State& state, const Dataset& data) {
    inNumberOrder(data);
    TableStore store(data.folder(), prompter);
    TableCursor zt(store, QStringLiteral("zt"));
    zt.setIndexName(kStandard);
    zt.open();
    Raw raw(data.path);
    sqlite3_stmt* page = raw.prepare(
        withAllColumns("SELECT %1 FROM zt WHERE Auftraggeber = ? AND (Termin <> '' AND Termin <= "
                       "?) ORDER BY Zaehler LIMIT 64"));
    // A grid with a scroll bar must also know how many rows pass.
    sqlite3_stmt* count = raw.prepare(QStringLiteral(
        "SELECT count(*) FROM zt WHERE Auftraggeber = ? AND (Termin <> '' AND Termin <= ?)"));
    const auto bindFilter = [&](sqlite3_stmt* statement) {
        Raw::bind(statement, 1, kCustomer);
        Raw::bind(statement, 2, QStringLiteral("2015-12-31"));
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
                for (int column = 0; column < grid.columnCount(); ++column)
                    benchmark::DoNotOptimize(grid.data(grid.index(row, column)));
        },
        [&] {
            bindFilter(count);
            raw.readAll(count);
            bindFilter(page);
            raw.readAll(page);
        });
}

void buildIndex(benchmark::State& state, const Dataset& data) {
    TableStore store(data.folder(), prompter);
    TableCursor zt(store, QStringLiteral("zt"));
    Raw raw(data.path);
    compare(
        state,
        {[&] { zt.addIndex(QStringLiteral("Messung"), QStringLiteral("Auftraggeber;Zaehler")); },
         [&] { zt.deleteIndex(QStringLiteral("Messung")); }},
        {[&] { raw.exec(QStringLiteral("CREATE INDEX \"zt:Roh\" ON zt (Auftraggeber, Zaehler)")); },
         [&] { raw.exec(QStringLiteral("DROP INDEX \"zt:Roh\"")); }});
}

// The grid of a window just opened: number order, the count and the first page.
void gridSetUp(benchmark::State& state, const Dataset& data) {
    inNumberOrder(data);
    TableStore store(data.folder(), prompter);
    TableCursor zt(store, QStringLiteral("zt"));
    zt.setIndexName(kStandard);
    zt.open();
    Raw raw(data.path);
    compare(
        state,
        [&] {
            TableGridModel grid(zt);
            const int rows = std::min(grid.rowCount(), TableGridModel::kPageSize);
            for (int row = 0; row < rows; ++row)
                for (int column = 0; column < grid.columnCount(); ++column)
                    benchmark::DoNotOptimize(grid.data(grid.index(row, column)));
        },
        [&] { raw.countAndFirstPage(QStringLiteral("Zaehler")); });
}

void gridPageAtHalf(benchmark::State& state, const Dataset& data) {
    sortedByCustomer(data);
    TableStore store(data.folder(), prompter);
    TableCursor zt(store, QStringLiteral("zt"));
    zt.setIndexName(kAktuell);
    zt.open();
    TableGridModel grid(zt);
    const int half = grid.rowCount() / 2;
    Raw raw(data.path);
    sqlite3_stmt* page = raw.prepare(
        withAllColumns("SELECT %1 FROM zt WHERE (Auftraggeber, Zaehler) >= (?, ?) ORDER BY "
                       "Auftraggeber, Zaehler LIMIT 64"));
    // Every iteration reads a page not read before, so no cache helps; the
    // reference reads the page ours has just shown.
    int nextPage = 0;
    std::pair<QString, qint64> firstKey;
    compare(
        state,
        [&] {
            const int row = half + nextPage++ * TableGridModel::kPageSize;
            for (int column = 0; column < grid.columnCount(); ++column)
                benchmark::DoNotOptimize(grid.data(grid.index(row, column)));
            firstKey = {grid.data(grid.index(row, 2)).toString(),
                        grid.data(grid.index(row, 0)).toLongLong()};
        },
        [&] {
            Raw::bind(page, 1, firstKey.first);
            sqlite3_bind_int64(page, 2, firstKey.second);
            raw.readAll(page);
        });
    sqlite3_stmt* offset = raw.prepare(
        withAllColumns("SELECT %1 FROM zt ORDER BY Auftraggeber, Zaehler LIMIT 64 OFFSET ?"));
    sqlite3_bind_int(offset, 1, half);
    state.counters["raw_offset_ms"] = millisecondsOf([&] { raw.readAll(offset); });
}

void renameCustomer(benchmark::State& state, const Dataset& data) {
    const int customer = 1 + int(archive_generator::customerNames().indexOf(kCustomer));
    TableStore store(data.folder(), prompter);
    TableCursor kunden(store, QStringLiteral("kunden"));
    kunden.setIndexName(kStandard);
    kunden.open();
    kunden.beforePost = [](TableCursor& c) { customer_table::beforePost(c, prompter); };
    customer_table::findByNumber(kunden, customer);
    Raw raw(data.path);
    sqlite3_stmt* archive =
        raw.prepare(QStringLiteral("UPDATE zt SET Auftraggeber = ? WHERE Kundennummer = ?"));
    sqlite3_stmt* customers = raw.prepare(QStringLiteral(
        "UPDATE kunden SET Auftraggeber = ?, KopieAuftraggeber = ? WHERE Kundennummer = ?"));
    // Ours renames the customer, the reference names it back: each step
    // changes the name, and the cursor reads the row again before ours edits.
    const QString renamed = kCustomer + QStringLiteral(" & Sohn");
    const QString rowsNamed =
        QStringLiteral("SELECT count(*) FROM zt WHERE Kundennummer = %1 AND Auftraggeber = '%2'")
            .arg(customer);
    const qint64 rows = raw.integer(
        QStringLiteral("SELECT count(*) FROM zt WHERE Kundennummer = %1").arg(customer));
    compare(state,
            {[&] {
                 kunden.edit();
                 kunden.setText(QStringLiteral("Auftraggeber"), renamed);
                 kunden.post();
             },
             [&] {
                 if (raw.integer(rowsNamed.arg(renamed)) != rows)
                     state.SkipWithError("Archivzeilen nicht umbenannt");
             }},
            {[&] {
                 raw.exec(QStringLiteral("BEGIN"));
                 Raw::bind(archive, 1, kCustomer);
                 sqlite3_bind_int(archive, 2, customer);
                 sqlite3_step(archive);
                 sqlite3_reset(archive);
                 Raw::bind(customers, 1, kCustomer);
                 Raw::bind(customers, 2, kCustomer);
                 sqlite3_bind_int(customers, 3, customer);
                 sqlite3_step(customers);
                 sqlite3_reset(customers);
                 raw.exec(QStringLiteral("COMMIT"));
             },
             [&] { kunden.refresh(); }});
    // The reference came last: the file keeps its generated names.
    state.counters["archive_rows"] = double(rows);
}

// A new search of the archive: every mark taken off, the first row whose
// customer begins with the text (letter case as typed) found and marked.
void newSearch(benchmark::State& state, const Dataset& data) {
    sortedByCustomer(data);
    TableStore store(data.folder(), prompter);
    TableCursor zt(store, QStringLiteral("zt"));
    zt.setIndexName(kAktuell);
    zt.open();
    Raw raw(data.path);
    sqlite3_stmt* clear =
        raw.prepare(QStringLiteral("UPDATE zt SET Gefunden = 0 WHERE Gefunden <> 0"));
    sqlite3_stmt* find = raw.prepare(withAllColumns(
        "SELECT %1 FROM zt WHERE Auftraggeber >= ? AND Auftraggeber < ? AND "
        "substr(Auftraggeber, 1, ?) = ? COLLATE BINARY ORDER BY Auftraggeber, Zaehler LIMIT 1"));
    sqlite3_stmt* mark = raw.prepare(QStringLiteral("UPDATE zt SET Gefunden = 1 WHERE rowid = ?"));
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
    std::vector<Dataset> datasets;
    for (const int rows : kSizes) {
        const Dataset data = prepareDataset(rows);
        datasets.push_back(data);
        // In number order first, so that "Aktuell" is built once per size.
        add("OpenFirstLast", data, openFirstLast)->Iterations(20);
        add("FilteredFirstPage", data, filteredFirstPage)->Iterations(20);
        add("GridSetUp", data, gridSetUp)->Iterations(20);
        add("BuildIndexAktuell", data, buildIndex)->Iterations(3);
        add("Rename", data, renameCustomer)->Iterations(20);
        add("Next1000", data, next1000)->Iterations(20);
        add("LocatePrefixCaseInsensitive", data, locatePrefix)->Iterations(200);
        add("GridPageAtHalf", data, gridPageAtHalf)->Iterations(200);
        add("NewSearch", data, newSearch)->Iterations(20);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The archives go back to the indexes a window opened on them has.
    for (const Dataset& data : datasets)
        inNumberOrder(data);
    return 0;
}
