#pragma once

// What every benchmark here shares: a prompter nobody answers, the prepared
// archives, and the interleaved comparison.
#include "Raw.h"
#include "common/Prompter.h"
#include "tables/DatabaseLocation.h"

#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace bench {

// Answers every question with its first button and offers the chosen files;
// errors go to standard error.
class QuietPrompter : public Prompter {
public:
    Answer message(const QString& text, const QString& caption, Buttons) override;
    std::optional<QString> openFile(const FileDialog&) override { return std::nullopt; }
    std::optional<QStringList> openFiles(const FileDialog&) override { return files_; }
    std::optional<QString> saveFile(const FileDialog&) override { return std::nullopt; }
    bool printDialog(QPrinter&) override { return false; }
    bool printerSetup(QPrinter&) override { return false; }
    void beep() override {}

    void chooseFiles(const QStringList& files) { files_ = files; }

private:
    QStringList files_;
};

// Every column of the archive table as the grid reads it, row id first.
extern const char* const kAllColumns;
QString withAllColumns(const char* pattern);

// A benchmark archive: the generated SQLite file, or its copy on a server.
struct Dataset {
    int rows;
    QString path;
    ServerAddress server;
    // The data folder beside the server's archive (its settings, its lock).
    QString serverFolder;
    bool onServer() const { return server.isSet(); }
    // The data folder the program runs on.
    QString folder() const;
    DatabaseLocation location() const { return DatabaseLocation(folder(), server); }
    // "name/rows", or "name/postgresql/rows".
    QString label(const char* name) const;
};
// A new archive without rows in the folder, as a window there makes it.
Dataset emptyArchive(const QString& folder);
// The benchmark archives: generated once into $ZTD_BENCH_DATA (default
// build/bench-data), opened once by the store (which adds its helper
// indexes), with a contractor row as every real archive has one.
QString dataFolder();
Dataset prepareDataset(int rows);
inline constexpr int kSizes[] = {100000, 1000000};
// The server of $ZTD_BENCH_POSTGRES (postgresql://USER@HOST[:PORT]/NAME),
// where the archives are measured instead of the files; none when unset.
std::optional<ServerAddress> benchServer();
// Each size's archive on the engine chosen: on the server, a database of
// its own per size ("NAME_bench_ROWS"), copied once from the file by the
// program's own archive copy and reused while its counts agree with the file's.
std::vector<Dataset> prepareDatasets();

// Whether a window's index exists is part of what a step measures: the
// window has "Aktuell" only after it sorted by something else than the number.
void ensureIndex(const Dataset& data, const char* name, const char* columns);
void dropIndex(const Dataset& data, const char* name);

// One side of a comparison: the timed step and the untimed work after it
// (undoing its writes).
struct Step {
    template <typename Run>
    Step(Run body, std::function<void()> cleanUp = {})
        : run(std::move(body))
        , tidy(std::move(cleanUp)) {}
    std::function<void()> run;
    std::function<void()> tidy;
};
// Times ours and the reference alternately (ours, raw, ours, raw …), each
// iteration on its own, and reports the medians in milliseconds and their ratio.
void compare(benchmark::State& state, const Step& ours, const Step& raw);
// Wall-clock milliseconds of one call.
double millisecondsOf(const std::function<void()>& step);
double median(std::vector<double> values);

using Body = std::function<void(benchmark::State&, const Dataset&)>;
// "name/rows", timed by compare() (manual time: ours), milliseconds.
benchmark::internal::Benchmark* add(const char* name, const Dataset& data, Body body);

} // namespace bench
