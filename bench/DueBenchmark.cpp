// "Fällige Prüfungen": the first page of the due devices across all
// customers, and the window showing it, beside the engine asked directly for the
// same rows and the count of each customer on the page.
#include "ArchiveBenchmarks.h"

#include "archive_output/DueDevices.h"
#include "archive_output/TFormFaellig.h"
#include "tables/TableStore.h"

#include <QDir>

namespace bench {
namespace {

// The generated dates run from 2000 to 2030: most rows are overdue.
const due_devices::Query kQuery{QDate(2026, 12, 11), 30};
constexpr int kRows = TFormFaellig::kRowsPerRead;

void rawFirstPage(Raw& raw) {
    const QString lastDay = kQuery.lastDay().toString(Qt::ISODate);
    Query& rows = raw.prepare(
        QStringLiteral("SELECT Kundennummer, Auftraggeber, Zaehler, Geraeteart, Hersteller, "
                       "Typenbezeichnung, Seriennummer, Termin FROM zt WHERE Termin > '' AND "
                       "Termin <= ? ORDER BY Kundennummer NULLS FIRST, Termin, Zaehler LIMIT %1")
            .arg(kRows + 1));
    rows.bind(1, lastDay);
    QList<QByteArray> numbers;
    rows.readAll({0}, &numbers);
    QList<qint64> customers;
    for (const QByteArray& number : std::as_const(numbers))
        if (customers.isEmpty() || customers.last() != number.toLongLong())
            customers.append(number.toLongLong());
    Query& count = raw.prepare(QStringLiteral(
        "SELECT count(*) FROM zt WHERE Termin > '' AND Termin <= ? AND Kundennummer = ?"));
    for (const qint64 customer : std::as_const(customers)) {
        count.bind(1, lastDay);
        count.bind(2, customer);
        count.readAll();
    }
}

void firstPage(benchmark::State& state, const Dataset& data) {
    QuietPrompter prompter;
    TableStore store(data.location(), prompter);
    store.open();
    Raw raw(data);
    compare(
        state, [&] { benchmark::DoNotOptimize(readPage(store, kQuery, kRows)); },
        [&] { rawFirstPage(raw); });
}

void windowFirstPage(benchmark::State& state, const Dataset& data) {
    QuietPrompter prompter;
    TableStore store(data.location(), prompter);
    store.open();
    TFormFaellig window(prompter, store, [] { return std::shared_ptr<PrintTarget>(); });
    window.setToday([] { return kQuery.today; });
    Raw raw(data);
    compare(
        state, [&] { window.reload(); }, [&] { rawFirstPage(raw); });
}

} // namespace

void addDueBenchmarks(const Dataset& data) {
    add("DueFirstPage", data, firstPage);
    add("DueWindowFirstPage", data, windowFirstPage);
}

} // namespace bench
