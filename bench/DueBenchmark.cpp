// "Fällige Prüfungen": the first page of the due devices across all
// customers, and the window showing it, beside SQLite asked directly for the
// same rows and the count of each customer on the page.
#include "ArchiveBenchmarks.h"

#include "archive_output/DueDevices.h"
#include "archive_output/TFormFaellig.h"
#include "tables/TableStore.h"

#include <QDir>

#include <sqlite3.h>

namespace bench {
namespace {

// The generated dates run from 2000 to 2030: most rows are overdue.
const due_devices::Query kQuery{QDate(2026, 12, 11), 30};
constexpr int kRows = TFormFaellig::kRowsPerRead;

void rawFirstPage(Raw& raw) {
    sqlite3_stmt* rows = raw.prepare(
        QStringLiteral("SELECT Kundennummer, Auftraggeber, Zaehler, Geraeteart, Hersteller, "
                       "Typenbezeichnung, Seriennummer, Termin FROM zt WHERE Termin > '' AND "
                       "Termin <= ?1 ORDER BY Kundennummer, Termin, Zaehler LIMIT %1")
            .arg(kRows + 1));
    Raw::bind(rows, 1, kQuery.lastDay().toString(Qt::ISODate));
    QList<qint64> customers;
    while (sqlite3_step(rows) == SQLITE_ROW) {
        for (int i = 0; i < sqlite3_column_count(rows); ++i)
            benchmark::DoNotOptimize(sqlite3_column_text(rows, i));
        const qint64 customer = sqlite3_column_int64(rows, 0);
        if (customers.isEmpty() || customers.last() != customer)
            customers.append(customer);
    }
    sqlite3_reset(rows);
    sqlite3_stmt* count = raw.prepare(QStringLiteral(
        "SELECT count(*) FROM zt WHERE Termin > '' AND Termin <= ?1 AND Kundennummer = ?2"));
    for (const qint64 customer : std::as_const(customers)) {
        Raw::bind(count, 1, kQuery.lastDay().toString(Qt::ISODate));
        sqlite3_bind_int64(count, 2, customer);
        raw.readAll(count);
    }
}

void firstPage(benchmark::State& state, const Dataset& data) {
    QuietPrompter prompter;
    TableStore store(data.folder(), prompter);
    store.open();
    Raw raw(data.path);
    compare(
        state, [&] { benchmark::DoNotOptimize(readPage(store, kQuery, kRows)); },
        [&] { rawFirstPage(raw); });
}

void windowFirstPage(benchmark::State& state, const Dataset& data) {
    QuietPrompter prompter;
    TableStore store(data.folder(), prompter);
    store.open();
    TFormFaellig window(prompter, store, [] { return std::shared_ptr<PrintTarget>(); });
    window.setToday([] { return kQuery.today; });
    Raw raw(data.path);
    compare(
        state, [&] { window.reload(); }, [&] { rawFirstPage(raw); });
}

} // namespace

void addDueBenchmarks(const Dataset& data) {
    add("DueFirstPage", data, firstPage);
    add("DueWindowFirstPage", data, windowFirstPage);
}

} // namespace bench
