// The archive window on the offscreen platform: each step until its grid
// has painted the rows, beside the engine asked directly for what the grid
// shows (the count for the scroll bar and the first page of 64 rows with
// every column).
#include "ArchiveBenchmarks.h"
#include "ArchiveWindow.h"

#include "archive/ArchiveFilter.h"
#include "archive/ArchiveSearch.h"
#include "archive/ArchiveSort.h"

#include <QDir>
#include <QTemporaryDir>

namespace bench {
namespace {

const QString kNumberOrder = QStringLiteral("Zaehler");

// A window opened the first time has no "Aktuell" index.
void freshWindowIndexes(const Dataset& data) {
    dropIndex(data, "Aktuell");
}

// Without rows (rows 0) the step shows what the window costs by itself.
void openWindow(benchmark::State& state, const Dataset& data) {
    QTemporaryDir empty(QDir(dataFolder()).filePath(QStringLiteral("leer-XXXXXX")));
    const Dataset shown = data.rows > 0 ? data : emptyArchive(empty.path());
    if (data.rows > 0)
        freshWindowIndexes(data);
    ArchiveWindow window(shown.location());
    window.form().hide();
    Raw raw(shown);
    compare(state, {[&] { window.showAndPaint(); }, [&] { window.form().hide(); }},
            [&] { raw.countAndFirstPage(kNumberOrder); });
    // How much of a step is painting the rows alone.
    window.showAndPaint();
    std::vector<double> paints;
    for (int i = 0; i < 15; ++i)
        paints.push_back(millisecondsOf([&] { window.repaintGrid(); }));
    state.counters["grid_paint_ms"] = median(paints);
}

void clearFilter(benchmark::State& state, const Dataset& data) {
    freshWindowIndexes(data);
    ArchiveWindow window(data.location());
    Raw raw(data);
    const auto filter = [&] {
        archive_filter::apply(window.archive(), QStringLiteral("Auftraggeber='Elektro Müller' "));
        window.waitForGridPaint();
    };
    filter();
    compare(state,
            [&] {
                archive_filter::apply(window.archive(), QString());
                window.waitForGridPaint();
            },
            {[&] { raw.countAndFirstPage(kNumberOrder); }, filter});
}

// What every import ends with: the grid learns of the new rows once.
void importEnd(benchmark::State& state, const Dataset& data) {
    freshWindowIndexes(data);
    ArchiveWindow window(data.location());
    Raw raw(data);
    compare(
        state,
        [&] {
            window.transfers().importMemoryEntries({}, false);
            window.waitForGridPaint();
        },
        [&] { raw.countAndFirstPage(kNumberOrder); });
}

QString rawIndex(const Raw& raw) {
    return QStringLiteral("CREATE INDEX \"zt:Roh\" ON zt (Hersteller%1, Zaehler)")
        .arg(raw.exactCollation());
}
const char* const kDropRawIndex = "DROP INDEX \"zt:Roh\"";

// The index a sort by "Hersteller" builds, in German order, against the
// same columns in byte order.
void sortIndexBuild(benchmark::State& state, const Dataset& data) {
    freshWindowIndexes(data);
    QuietPrompter prompter;
    TableStore store(data.location(), prompter);
    TableCursor zt(store, QStringLiteral("zt"));
    Raw raw(data);
    compare(state,
            {[&] { zt.addIndex(QStringLiteral("Aktuell"), QStringLiteral("Hersteller;Zaehler")); },
             [&] { zt.deleteIndex(QStringLiteral("Aktuell")); }},
            {[&] { raw.exec(rawIndex(raw)); }, [&] { raw.exec(QLatin1String(kDropRawIndex)); }});
    // The same index in German order built straight through SQLite: what
    // the collation costs, apart from the store.
    std::vector<double> german;
    for (int i = 0; i < 3; ++i) {
        german.push_back(millisecondsOf([&] {
            raw.exec(QStringLiteral("CREATE INDEX \"zt:Roh\" ON zt (Hersteller, Zaehler)"));
        }));
        raw.exec(QLatin1String(kDropRawIndex));
    }
    state.counters["raw_german_ms"] = median(german);
}

// The whole sort as the window's menu item runs it, until the grid shows
// the rows in the new order.
void sortStep(benchmark::State& state, const Dataset& data) {
    freshWindowIndexes(data);
    ArchiveWindow window(data.location());
    Raw raw(data);
    const auto sortBy = [&](int field) {
        SortCriteria criteria{field, 0, 0};
        archive_sort::apply(window.archive(), criteria);
        window.waitForGridPaint();
    };
    compare(state, {[&] { sortBy(6); }, [&] { sortBy(1); }},
            {[&] {
                 raw.exec(rawIndex(raw));
                 raw.countAndFirstPage(
                     QStringLiteral("Hersteller%1, Zaehler").arg(raw.exactCollation()));
             },
             [&] { raw.exec(QLatin1String(kDropRawIndex)); }});
}

// "Neue Suche" takes the marks of the last search off: here three rows.
void clearMarks(benchmark::State& state, const Dataset& data) {
    freshWindowIndexes(data);
    ArchiveWindow window(data.location());
    ArchiveSearch search(window.archive(), window.prompter());
    Raw raw(data);
    const auto mark = [&] {
        raw.exec(QStringLiteral("UPDATE zt SET Gefunden = 1 WHERE Zaehler IN (17, %1, %2)")
                     .arg(data.rows / 2)
                     .arg(data.rows - 3));
    };
    mark();
    compare(state, {[&] { search.clearMarks(); }, mark},
            {[&] { raw.exec(QStringLiteral("UPDATE zt SET Gefunden = 0 WHERE Gefunden <> 0")); },
             mark});
    raw.exec(QStringLiteral("UPDATE zt SET Gefunden = 0 WHERE Gefunden <> 0"));
}

} // namespace

void addWindowBenchmarks(const Dataset& data) {
    add("OpenWindow", data, openWindow)->Iterations(15);
    if (data.rows == 0)
        return;
    add("ClearFilter", data, clearFilter)->Iterations(15);
    add("ImportEnd", data, importEnd)->Iterations(15);
    add("ClearThreeMarks", data, clearMarks)->Iterations(15);
    add("SortIndexHersteller", data, sortIndexBuild)->Iterations(5);
    add("SortStepHersteller", data, sortStep)->Iterations(5);
}

} // namespace bench
