#pragma once

#include <QString>

#include <optional>

// Copies of the archive database taken with SQLite's online backup, never as
// a file copy: what another connection has committed is in the copy, what it
// has not committed is not, and the write-ahead log is included.
namespace database_copy {

struct Counts {
    qint64 archiveRows = 0;
    qint64 customers = 0;
};

// The full check reads every index against its table (seconds at a million
// rows); the quick one checks the file's structure only.
enum class Check { Quick, Full };

struct Outcome {
    // The German reason when it failed.
    std::optional<QString> error;
    // The source could not be read because it is damaged or no database.
    bool sourceDamaged = false;
    Counts counts;
};

// "12 345 Archiv-Datensätze, 210 Kunden"
QString countsText(const Counts& counts);

// Writes a snapshot of the database `source` to `target`, checks the copy and
// counts its rows. `target` is replaced only by a complete, checked copy.
Outcome copy(const QString& source, const QString& target, Check check);

// Whether `path` holds an intact database with both tables and all their
// fields; the error says why not (without naming the file).
Outcome inspect(const QString& path, Check check);

// Replaces the contents of the database `live` with those of `backup` in one
// transaction; connections still open on `live` read the new contents next.
std::optional<QString> restore(const QString& backup, const QString& live);

} // namespace database_copy
