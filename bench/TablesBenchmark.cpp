// Speed of the table store at 100 000 and 1 000 000 archive rows, each step
// beside the same query asked of the engine directly (SQLite's C API on the
// same file with the same collation, or libpq on the same server database),
// interleaved, as medians and their ratio.
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
            TableStore store(data.location(), prompter);
            TableCursor zt(store, QStringLiteral("zt"));
            zt.setIndexName(kStandard);
            zt.open();
            zt.last();
            benchmark::DoNotOptimize(zt.integer(QStringLiteral("Zaehler")));
        },
        [&] {
            Raw raw(data);
            raw.prepare(withAllColumns("SELECT %1 FROM zt ORDER BY Zaehler LIMIT 1")).readAll();
            raw.prepare(withAllColumns("SELECT %1 FROM zt ORDER BY Zaehler DESC LIMIT 1"))
                .readAll();
        });
}

void next1000(benchmark::State& state, const Dataset& data) {
    sortedByCustomer(data);
    TableStore store(data.location(), prompter);
    TableCursor zt(store, QStringLiteral("zt"));
    zt.setIndexName(kAktuell);
    zt.open();
    zt.locate(QStringLiteral("Auftraggeber"), {QStringLiteral("M")}, {true, true});
    Raw raw(data);
    Query& step = raw.prepare(
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
            QList<QByteArray> key;
            for (int i = 0; i < 1000; ++i) {
                step.bind(1, name);
                step.bind(2, number);
                key.clear();
                if (step.readAll({3, 1}, &key) > 0) {
                    name = QString::fromUtf8(key[0]);
                    number = key[1].toLongLong();
                }
            }
        });
}

void locatePrefix(benchmark::State& state, const Dataset& data) {
    sortedByCustomer(data);
    TableStore store(data.location(), prompter);
    TableCursor zt(store, QStringLiteral("zt"));
    zt.setIndexName(kAktuell);
    zt.open();
    Raw raw(data);
    Query& find =
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
            find.bind(1, prefix);
            find.bind(2, german_collation::upperBound(prefix));
            find.readAll();
        });
}

// Only "Standard" and the store's helper indexes serve the filter, as in a
// window that has not been sorted.
void filteredFirstPage(benchmark::State& state, const Dataset& data) {
    inNumberOrder(data);
    TableStore store(data.location(), prompter);
    TableCursor zt(store, QStringLiteral("zt"));
    zt.setIndexName(kStandard);
    zt.open();
    Raw raw(data);
    Query& page = raw.prepare(
        withAllColumns("SELECT %1 FROM zt WHERE Auftraggeber = ? AND (Termin <> '' AND Termin <= "
                       "?) ORDER BY Zaehler LIMIT 64"));
    // A grid with a scroll bar must also know how many rows pass.
    Query& count = raw.prepare(QStringLiteral(
        "SELECT count(*) FROM zt WHERE Auftraggeber = ? AND (Termin <> '' AND Termin <= ?)"));
    const auto bindFilter = [&](Query& query) {
        query.bind(1, kCustomer);
        query.bind(2, QStringLiteral("2015-12-31"));
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
            count.readAll();
            bindFilter(page);
            page.readAll();
        });
}

void buildIndex(benchmark::State& state, const Dataset& data) {
    TableStore store(data.location(), prompter);
    TableCursor zt(store, QStringLiteral("zt"));
    Raw raw(data);
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
    TableStore store(data.location(), prompter);
    TableCursor zt(store, QStringLiteral("zt"));
    zt.setIndexName(kStandard);
    zt.open();
    Raw raw(data);
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
    TableStore store(data.location(), prompter);
    TableCursor zt(store, QStringLiteral("zt"));
    zt.setIndexName(kAktuell);
    zt.open();
    TableGridModel grid(zt);
    const int half = grid.rowCount() / 2;
    Raw raw(data);
    Query& page = raw.prepare(
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
            page.bind(1, firstKey.first);
            page.bind(2, firstKey.second);
            page.readAll();
        });
    Query& offset = raw.prepare(
        withAllColumns("SELECT %1 FROM zt ORDER BY Auftraggeber, Zaehler LIMIT 64 OFFSET ?"));
    offset.bind(1, qint64(half));
    state.counters["raw_offset_ms"] = millisecondsOf([&] { offset.readAll(); });
}

void renameCustomer(benchmark::State& state, const Dataset& data) {
    const int customer = 1 + int(archive_generator::customerNames().indexOf(kCustomer));
    TableStore store(data.location(), prompter);
    TableCursor kunden(store, QStringLiteral("kunden"));
    kunden.setIndexName(kStandard);
    kunden.open();
    kunden.beforePost = [](TableCursor& c) { customer_table::beforePost(c, prompter); };
    customer_table::findByNumber(kunden, customer);
    Raw raw(data);
    Query& archive =
        raw.prepare(QStringLiteral("UPDATE zt SET Auftraggeber = ? WHERE Kundennummer = ?"));
    Query& customers = raw.prepare(QStringLiteral(
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
                 archive.bind(1, kCustomer);
                 archive.bind(2, qint64(customer));
                 archive.readAll();
                 customers.bind(1, kCustomer);
                 customers.bind(2, kCustomer);
                 customers.bind(3, qint64(customer));
                 customers.readAll();
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
    TableStore store(data.location(), prompter);
    TableCursor zt(store, QStringLiteral("zt"));
    zt.setIndexName(kAktuell);
    zt.open();
    Raw raw(data);
    Query& clear = raw.prepare(QStringLiteral("UPDATE zt SET Gefunden = 0 WHERE Gefunden <> 0"));
    Query& find = raw.prepare(
        withAllColumns("SELECT %1 FROM zt WHERE Auftraggeber >= ? AND Auftraggeber < ? AND "
                       "substr(Auftraggeber, 1, ?) = ?") +
        raw.exactCollation() + QStringLiteral(" ORDER BY Auftraggeber, Zaehler LIMIT 1"));
    Query& mark = raw.prepare(QStringLiteral("UPDATE zt SET Gefunden = 1 WHERE rowid = ?"));
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
            clear.readAll();
            find.bind(1, prefix);
            find.bind(2, german_collation::upperBound(prefix));
            find.bind(3, qint64(prefix.size()));
            find.bind(4, prefix);
            QList<QByteArray> found;
            find.readAll({0}, &found);
            mark.bind(1, found.value(0).toLongLong());
            mark.readAll();
        });
    zt.setValueInAllRows(markField, false);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const std::vector<Dataset> datasets = prepareDatasets();
    for (const Dataset& data : datasets) {
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
