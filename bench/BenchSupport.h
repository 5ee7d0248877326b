#pragma once

// What every benchmark here shares: a prompter nobody answers, SQLite asked
// directly, the prepared archives, and the interleaved comparison.
#include "common/Prompter.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <functional>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;
struct sqlite3_value;

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

// SQLite asked directly through its C API, with the program's collation
// registered and every write on disk when it returns, as the store has it.
class Raw {
public:
    explicit Raw(const QString& path);
    ~Raw();
    Raw(const Raw&) = delete;
    Raw& operator=(const Raw&) = delete;
    sqlite3* db() { return db_; }

    // Prepared at its first use, finalized with the connection.
    sqlite3_stmt* prepare(const QString& sql);
    // Aborts the benchmark run when the statement fails.
    void exec(const QString& sql);
    qint64 integer(const QString& sql);
    // Steps the statement and reads every column of each row, as the store does.
    int readAll(sqlite3_stmt* statement);
    // The count and the first page of 64 rows with every column, in that order.
    void countAndFirstPage(const QString& order, const QString& where = {});

    static void bind(sqlite3_stmt* statement, int position, const QString& text);

private:
    sqlite3* db_ = nullptr;
    QHash<QString, sqlite3_stmt*> statements_;
};

// Rows read back from a table, to be written again elsewhere exactly as they were.
class RowCopy {
public:
    RowCopy() = default;
    RowCopy(Raw& raw, const QString& table, const QString& condition);
    ~RowCopy();
    RowCopy(RowCopy&& other) noexcept;
    RowCopy& operator=(RowCopy&& other) noexcept;
    int size() const { return int(rows_.size()); }
    bool isEmpty() const { return rows_.empty(); }
    // Inserts them with one prepared statement, inside the caller's transaction.
    void insertInto(Raw& raw) const;

private:
    void release();
    QString table_;
    std::vector<std::vector<sqlite3_value*>> rows_;
};

// Every column of the archive table as the grid reads it, row id first.
extern const char* const kAllColumns;
QString withAllColumns(const char* pattern);

struct Dataset {
    int rows;
    QString path;
    QString folder() const;
};
// The benchmark archives: generated once into $ZTD_BENCH_DATA (default
// build/bench-data), opened once by the store (which adds its helper
// indexes), with a contractor row as every real archive has one.
QString dataFolder();
Dataset prepareDataset(int rows);
inline constexpr int kSizes[] = {100000, 1000000};

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
