#pragma once

#include <QString>

#include <memory>
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

// The database as it stands when this is made: a copy written later holds
// exactly these data, whatever other connections write meanwhile.
class Snapshot {
public:
    explicit Snapshot(const QString& source);
    ~Snapshot();
    Snapshot(Snapshot&&) noexcept;
    Snapshot& operator=(Snapshot&&) noexcept;

    // Why the database could not be read, as copy() tells it; no error when
    // the snapshot stands.
    const Outcome& taken() const { return taken_; }
    // Whether other connections can write while the snapshot stands (the
    // write-ahead log); otherwise they wait until it is written.
    bool writersGoOn() const { return writersGoOn_; }

    // Writes the snapshot to `target` as copy() does, then lets it go.
    Outcome writeTo(const QString& target, Check check);

private:
    struct Source;
    QString path_;
    std::unique_ptr<Source> source_;
    Outcome taken_;
    bool writersGoOn_ = false;
};

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
