#include "ArchiveImport.h"

#include "MemoryRow.h"

#include "ArchiveTable.h"
#include "common/Progress.h"
#include "common/Prompter.h"
#include "report/ProtocolFile.h"
#include "tables/BatchInsert.h"
#include "tables/RowScan.h"
#include "tables/TableDefinition.h"
#include "tables/TableStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

using namespace record_transfer;

namespace {

// Positions of the flags in the archive's field order.
constexpr int kDiffField = 42;
constexpr int kNisoField = 43;

// "12.3.2026": the import date as the origin of a row tells it.
QString dayText(const QDate& day) {
    return QStringLiteral("%1.%2.%3").arg(day.day()).arg(day.month()).arg(day.year());
}

} // namespace

// One import: the rows gathered, their labels, and when to write them.
class ArchiveImport::Run {
public:
    Run(TableStore& store, Outcome& outcome, bool numbered = true)
        : rows_(store, QStringLiteral("zt"), numbered)
        , outcome_(outcome) {}

    // False once the import must end (a failed write).
    bool add(QVariantList values, const QString& label, quint8 diff, quint8 niso) {
        archive_table::normaliseImportedRow(values);
        if (const auto error = rows_.add(values)) {
            outcome_.skipped << label + QStringLiteral(": ") + *error;
            return true;
        }
        labels_ << label;
        lastDiff_ = diff;
        lastNiso_ = niso;
        if (!gathering_.isValid())
            gathering_.start();
        if (rows_.pending() >= kBatchRows || gathering_.elapsed() >= kBatchMilliseconds)
            return write();
        return true;
    }

    // Writes what was gathered; on failure the rows count as not reached.
    bool write() {
        if (failed())
            return false;
        gathering_.invalidate();
        if (rows_.pending() == 0)
            return true;
        const BatchInsert::Written written = rows_.write();
        if (!written.ok()) {
            outcome_.failure = written.error;
            outcome_.notReached << labels_;
            labels_.clear();
            return false;
        }
        outcome_.stored << labels_;
        outcome_.lastDiff = lastDiff_;
        outcome_.lastNiso = lastNiso_;
        labels_.clear();
        return true;
    }

    // A write beside the rows (a new customer) failed: the import ends.
    void fail(const QString& reason) {
        outcome_.failure = reason;
        outcome_.notReached << labels_;
        labels_.clear();
    }
    bool failed() const { return !outcome_.failure.isEmpty(); }

private:
    BatchInsert rows_;
    Outcome& outcome_;
    QStringList labels_;
    quint8 lastDiff_ = 0;
    quint8 lastNiso_ = 0;
    QElapsedTimer gathering_;
};

ArchiveImport::ArchiveImport(TableStore& store, Prompter& prompter)
    : store_(store)
    , prompter_(prompter) {}

void ArchiveImport::loadCustomers() {
    if (customersLoaded_)
        return;
    customersLoaded_ = true;
    const RowScan scan =
        scanRows(store_,
                 QStringLiteral("SELECT \"Auftraggeber\", \"Kundennummer\" FROM \"kunden\" "
                                "ORDER BY \"Kundennummer\" DESC, rowid DESC"),
                 {}, 1);
    // The lowest number wins, as a look-up in number order finds it.
    for (const QVariantList& customer : scan.keys)
        customers_.insert(customer[0].toString(), customer[1].toLongLong());
}

std::optional<qint64> ArchiveImport::customerNumber(Run& run, const RowValues& row,
                                                    const CustomerAdded& customerAdded) {
    const QString name = storedCustomerName(row.texts.Kunde1);
    if (name.isEmpty())
        return std::nullopt;
    loadCustomers();
    if (const auto found = customers_.constFind(name); found != customers_.constEnd())
        return found.value();
    if (!run.write())
        return std::nullopt;
    const CustomerMatch match = matchCustomer(store_, name, row.texts.Kunde2, row.texts.Kunde3);
    if (!match.failure.isEmpty()) {
        run.fail(match.failure);
        return std::nullopt;
    }
    customers_.insert(name, *match.number);
    if (match.added && customerAdded)
        customerAdded(name, *match.number);
    return match.number;
}

ArchiveImport::Outcome ArchiveImport::importFiles(const QStringList& paths, const QDate& today,
                                                  const DateCorrection& correctDate,
                                                  const CustomerAdded& customerAdded) {
    Outcome outcome;
    outcome.total = int(paths.size());
    outcome.items = outcome.ofItems = QStringLiteral("Dateien");
    Run run(store_, outcome);
    const auto progress =
        prompter_.progress({QStringLiteral("Datenübernahme"), QStringLiteral("Import"),
                            QStringLiteral("Dateien"), outcome.total, true});
    const QString day = dayText(today);
    // The first file not yet dealt with.
    int next = 0;
    while (next < paths.size() && !run.failed()) {
        if (!progress->update(next)) {
            outcome.stopped = true;
            break;
        }
        const QString path = QFileInfo(paths[next]).absoluteFilePath();
        const protocol_file::ReadResult file = protocol_file::readProtocolFile(path);
        if (!file.ok()) {
            outcome.skipped << file.error;
            ++next;
            continue;
        }
        std::optional<QString> refusedDate;
        const RowValues row =
            convertImageToRow(file.image, [&](const QString& rejected, DateKind kind) {
                if (!run.write())
                    return rejected;
                const auto corrected =
                    correctDate ? correctDate(path, rejected, kind) : std::nullopt;
                if (!corrected)
                    refusedDate = rejected;
                return corrected.value_or(rejected);
            });
        if (run.failed())
            break;
        if (refusedDate) {
            outcome.skipped << QStringLiteral("Die Datei \"%1\" enthält das Datum \"%2\", das es "
                                              "nicht gibt.")
                                   .arg(QDir::toNativeSeparators(path), *refusedDate);
            ++next;
            continue;
        }
        const auto customer = customerNumber(run, row, customerAdded);
        if (run.failed())
            break;
        const QString origin = path + QStringLiteral("   ") + day;
        ++next;
        run.add(newRowFields(row, customer ? QVariant(*customer) : QVariant(), origin), path,
                row.Diff, row.Niso);
    }
    run.write();
    for (; next < paths.size(); ++next)
        outcome.notReached << QFileInfo(paths[next]).absoluteFilePath();
    progress->update(next);
    return outcome;
}

ArchiveImport::Outcome ArchiveImport::importEntries(const QList<QByteArray>& entries,
                                                    const QDate& today) {
    Outcome outcome;
    outcome.total = int(entries.size());
    outcome.items = QStringLiteral("Einträge");
    outcome.ofItems = QStringLiteral("Einträgen");
    Run run(store_, outcome);
    const auto progress =
        prompter_.progress({QStringLiteral("Datenübernahme"), QStringLiteral("Übernahme"),
                            QStringLiteral("Einträgen"), outcome.total, true});
    const auto label = [](const QByteArray& entry) {
        return QStringLiteral("MW-Speicher Nr. %1")
            .arg(QString::fromLatin1(entry.left(4)).trimmed());
    };
    int next = 0;
    for (; next < entries.size() && !run.failed(); ++next) {
        if (!progress->update(next)) {
            outcome.stopped = true;
            break;
        }
        const QByteArray& entry = entries[next];
        run.add(memory_row::rowFields(entry, today), label(entry),
                memory_row::differential(entry) ? 1 : 0, memory_row::noInsulation(entry) ? 1 : 0);
    }
    run.write();
    for (; next < entries.size(); ++next)
        outcome.notReached << label(entries[next]);
    progress->update(next);
    return outcome;
}

ArchiveImport::Outcome
ArchiveImport::importRows(int total, const std::function<ReadyRow(int index)>& row, bool numbered) {
    Outcome outcome;
    outcome.total = total;
    outcome.items = QStringLiteral("Datensätze");
    outcome.ofItems = QStringLiteral("Datensätzen");
    Run run(store_, outcome, numbered);
    const auto progress =
        prompter_.progress({QStringLiteral("Datenübernahme"), QStringLiteral("Import"),
                            QStringLiteral("Datensätzen"), total, true});
    int next = 0;
    for (; next < total && !run.failed(); ++next) {
        if (!progress->update(next)) {
            outcome.stopped = true;
            break;
        }
        const ReadyRow ready = row(next);
        if (!ready.error.isEmpty())
            outcome.skipped << ready.label + QStringLiteral(": ") + ready.error;
        else
            run.add(ready.values, ready.label, ready.values.value(kDiffField).toBool() ? 1 : 0,
                    ready.values.value(kNisoField).toBool() ? 1 : 0);
    }
    run.write();
    for (; next < total; ++next)
        outcome.notReached << row(next).label;
    progress->update(next);
    return outcome;
}

namespace import_account {

namespace {
// Long lists are cut: the user learns how many more there are.
constexpr int kListed = 10;

QString listed(const QStringList& items) {
    QString text = items.mid(0, kListed).join(QLatin1Char('\n'));
    if (items.size() > kListed)
        text += QStringLiteral("\n… und %1 weitere").arg(groupedNumber(items.size() - kListed));
    return text;
}
} // namespace

QString skippedText(const ArchiveImport::Outcome& outcome) {
    if (outcome.skipped.size() == 1)
        return outcome.skipped.first();
    if (outcome.skipped.isEmpty())
        return {};
    return QStringLiteral("%1 %2 wurden nicht übernommen:\n%3")
        .arg(groupedNumber(outcome.skipped.size()), outcome.items, listed(outcome.skipped));
}

QString unfinishedText(const ArchiveImport::Outcome& outcome) {
    if (!outcome.stopped && outcome.failure.isEmpty())
        return {};
    QString text = outcome.stopped ? QStringLiteral("Die Datenübernahme wurde abgebrochen.")
                                   : QStringLiteral("Die Datenübernahme wurde wegen eines Fehlers "
                                                    "beendet:\n") +
                                         outcome.failure;
    text += QStringLiteral("\n\nÜbernommen: %1 von %2 %3.")
                .arg(groupedNumber(outcome.stored.size()), groupedNumber(outcome.total),
                     outcome.ofItems);
    if (!outcome.notReached.isEmpty())
        text += QStringLiteral("\nNicht übernommen:\n") + listed(outcome.notReached);
    return text;
}

} // namespace import_account
