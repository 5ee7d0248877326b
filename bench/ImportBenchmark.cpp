// Imports as the archive window runs them ("aus Dateien" through its menu
// item, the memory entries through the same transfers), each until the grid
// has painted the new rows, beside the very rows they wrote inserted again
// in one transaction.
#include "ArchiveBenchmarks.h"
#include "ArchiveWindow.h"
#include "ImportSources.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

namespace bench {
namespace {

constexpr int kProtocolFiles = 10000;
constexpr int kMemoryEntries = 4062;

// Where the rows go: the dataset's archive, whose new rows and customers are
// removed after each step, or a new empty archive for each step.
class ImportTarget {
public:
    explicit ImportTarget(const Dataset& data)
        : data_(data) {
        if (data_.rows == 0) {
            openEmpty();
            return;
        }
        window_ = std::make_unique<ArchiveWindow>(data_.location());
        raw_ = std::make_unique<Raw>(data_);
        lastRow_ = raw_->integer(QStringLiteral("SELECT max(Zaehler) FROM zt"));
        lastCustomer_ = raw_->integer(QStringLiteral("SELECT max(Kundennummer) FROM kunden"));
    }

    ArchiveWindow& window() { return *window_; }

    // After ours: keeps what it wrote (once) and takes it away again.
    void afterOurs(benchmark::State& state, int expectedRows) {
        if (rows_.isEmpty()) {
            Raw raw(current());
            rows_ = RowCopy(raw, QStringLiteral("zt"), added("Zaehler", lastRow_));
            customers_ =
                RowCopy(raw, QStringLiteral("kunden"), added("Kundennummer", lastCustomer_));
            state.counters["new_customers"] = customers_.size();
            if (rows_.size() != expectedRows) {
                fprintf(stderr, "%d statt %d Zeilen übernommen\n", rows_.size(), expectedRows);
                state.SkipWithError("nicht alles übernommen");
            }
        }
        if (data_.rows == 0) {
            window_.reset();
            folder_.reset();
            folder_ = emptyFolder();
            {
                // The same tables and indexes as the window makes.
                const ArchiveWindow prepared(folder_->path());
            }
            raw_ = std::make_unique<Raw>(current());
        } else {
            removeAdded();
        }
    }

    void insertRaw() {
        raw_->exec(QStringLiteral("BEGIN"));
        customers_.insertInto(*raw_);
        rows_.insertInto(*raw_);
        raw_->exec(QStringLiteral("COMMIT"));
    }

    void afterRaw() {
        if (data_.rows == 0) {
            raw_.reset();
            openEmpty();
        } else {
            removeAdded();
        }
    }

private:
    static std::unique_ptr<QTemporaryDir> emptyFolder() {
        return std::make_unique<QTemporaryDir>(
            QDir(dataFolder()).filePath(QStringLiteral("leer-XXXXXX")));
    }
    void openEmpty() {
        folder_ = emptyFolder();
        window_ = std::make_unique<ArchiveWindow>(folder_->path());
    }
    Dataset current() const { return data_.rows == 0 ? emptyArchive(folder_->path()) : data_; }
    static QString added(const char* column, qint64 last) {
        return QStringLiteral("%1 > %2").arg(QLatin1String(column)).arg(last);
    }
    void removeAdded() {
        raw_->exec(QStringLiteral("BEGIN"));
        raw_->exec(QLatin1String("DELETE FROM zt WHERE ") + added("Zaehler", lastRow_));
        raw_->exec(QLatin1String("DELETE FROM kunden WHERE ") +
                   added("Kundennummer", lastCustomer_));
        raw_->exec(QStringLiteral("COMMIT"));
    }

    Dataset data_;
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<ArchiveWindow> window_;
    std::unique_ptr<Raw> raw_;
    qint64 lastRow_ = 0;
    qint64 lastCustomer_ = 0;
    RowCopy rows_;
    RowCopy customers_;
};

void importFiles(benchmark::State& state, const Dataset& data) {
    const QStringList paths = import_sources::ensureProtocolFiles(dataFolder(), kProtocolFiles);
    ImportTarget target(data);
    compare(state,
            {[&] {
                 target.window().prompter().chooseFiles(paths);
                 target.window().form().importFilesClick();
                 target.window().waitForGridPaint();
             },
             [&] { target.afterOurs(state, kProtocolFiles); }},
            {[&] { target.insertRaw(); }, [&] { target.afterRaw(); }});
}

void importMemory(benchmark::State& state, const Dataset& data) {
    const QList<QByteArray> entries = import_sources::memoryEntries(kMemoryEntries);
    ImportTarget target(data);
    compare(state,
            {[&] {
                 target.window().transfers().importMemoryEntries(entries, false);
                 target.window().waitForGridPaint();
             },
             [&] { target.afterOurs(state, kMemoryEntries); }},
            {[&] { target.insertRaw(); }, [&] { target.afterRaw(); }});
}

} // namespace

void addImportBenchmarks(const Dataset& data) {
    add("ImportProtocolFiles", data, importFiles)->Iterations(3);
    add("ImportMemoryEntries", data, importMemory)->Iterations(5);
}

} // namespace bench
