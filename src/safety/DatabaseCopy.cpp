#include "DatabaseCopy.h"

#include "common/FolderSync.h"
#include "common/Progress.h"
#include "tables/GermanCollation.h"
#include "tables/TableDefinition.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QThread>

#include <filesystem>
#include <sqlite3.h>

namespace database_copy {

namespace {

constexpr int kBusyTimeoutMs = 5000;
constexpr int kRetryMs = 20;

// One connection, closed when it goes.
class Connection {
public:
    Connection(const QString& path, int flags) {
        result_ = sqlite3_open_v2(QFile::encodeName(path).constData(), &handle_, flags, nullptr);
        if (result_ == SQLITE_OK) {
            sqlite3_extended_result_codes(handle_, 1);
            sqlite3_busy_timeout(handle_, kBusyTimeoutMs);
            german_collation::registerOn(handle_);
        }
    }
    ~Connection() { sqlite3_close_v2(handle_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool ok() const { return result_ == SQLITE_OK; }
    sqlite3* handle() const { return handle_; }
    QString errorText() const { return QString::fromUtf8(sqlite3_errmsg(handle_)); }
    int errorCode() const { return sqlite3_errcode(handle_) & 0xFF; }

private:
    sqlite3* handle_ = nullptr;
    int result_ = SQLITE_ERROR;
};

bool isDamage(int code) {
    return code == SQLITE_CORRUPT || code == SQLITE_NOTADB;
}

// The first column of each row; nothing when the statement fails.
std::optional<QStringList> column(sqlite3* handle, const QString& sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(handle, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK)
        return std::nullopt;
    QStringList values;
    int step;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW)
        values << QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    if (step != SQLITE_DONE)
        return std::nullopt;
    return values;
}

QString damagedText() {
    return QStringLiteral("Sie ist beschädigt oder keine Datenbank dieses Programms.");
}

// What is wrong with the open database, or nothing; counts its rows.
std::optional<QString> examine(const Connection& db, Check check, Counts& counts, bool& damaged) {
    const auto failed = [&]() -> QString {
        damaged = isDamage(db.errorCode());
        return damaged ? damagedText() : db.errorText();
    };
    const auto verdict =
        column(db.handle(), check == Check::Full ? QStringLiteral("PRAGMA integrity_check(5)")
                                                 : QStringLiteral("PRAGMA quick_check(5)"));
    if (!verdict)
        return failed();
    if (*verdict != QStringList{QStringLiteral("ok")}) {
        damaged = true;
        return QStringLiteral("Sie ist beschädigt (%1).").arg(verdict->join(QLatin1String("; ")));
    }
    for (const TableDefinition* table : {&archiveTableDefinition(), &customerTableDefinition()}) {
        const auto present =
            column(db.handle(),
                   QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(table->name));
        if (!present)
            return failed();
        if (present->isEmpty())
            return QStringLiteral("Die Tabelle \"%1\" fehlt.").arg(table->name);
        const QSet<QString> names(present->begin(), present->end());
        for (const FieldDefinition& field : table->fields)
            if (!names.contains(field.name))
                return QStringLiteral("In der Tabelle \"%1\" fehlt das Feld \"%2\".")
                    .arg(table->name, field.name);
        const auto rows =
            column(db.handle(), QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table->name));
        if (!rows)
            return failed();
        (table == &archiveTableDefinition() ? counts.archiveRows : counts.customers) =
            rows->value(0).toLongLong();
    }
    return std::nullopt;
}

// Copies every page of `from` into `to` in one step; waits for a writer that
// holds either file, up to the busy timeout.
int copyPages(sqlite3* from, sqlite3* to) {
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup)
        return sqlite3_errcode(to);
    int waited = 0;
    int step;
    while ((step = sqlite3_backup_step(backup, -1)) == SQLITE_BUSY || step == SQLITE_LOCKED) {
        if (waited >= kBusyTimeoutMs)
            break;
        QThread::msleep(kRetryMs);
        waited += kRetryMs;
    }
    const int finished = sqlite3_backup_finish(backup);
    return step == SQLITE_DONE ? finished : step;
}

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

bool replaceFile(const QString& from, const QString& to) {
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData(),
                            error);
    return !error;
}

} // namespace

QString countsText(const Counts& counts) {
    return QStringLiteral("%1 Archiv-Datensätze, %2 Kunden")
        .arg(groupedNumber(counts.archiveRows), groupedNumber(counts.customers));
}

struct Snapshot::Source {
    explicit Source(const QString& path)
        : connection(path, SQLITE_OPEN_READWRITE) {}
    Connection connection;
};

Snapshot::Snapshot(const QString& source)
    : path_(source) {
    if (!QFileInfo::exists(source)) {
        taken_.error = QStringLiteral("Die Datenbank \"%1\" gibt es nicht.").arg(shown(source));
        return;
    }
    source_ = std::make_unique<Source>(source);
    const Connection& from = source_->connection;
    // The read inside the open transaction pins what the copy will hold; it
    // also tells a damaged file before anything is written.
    if (!from.ok() || !column(from.handle(), QStringLiteral("BEGIN")) ||
        !column(from.handle(), QStringLiteral("PRAGMA schema_version"))) {
        taken_.sourceDamaged = isDamage(from.errorCode());
        taken_.error =
            QStringLiteral("Die Datenbank \"%1\" kann nicht gelesen werden: %2")
                .arg(shown(source), taken_.sourceDamaged ? damagedText() : from.errorText());
        source_.reset();
        return;
    }
    writersGoOn_ = column(from.handle(), QStringLiteral("PRAGMA journal_mode")) ==
                   QStringList{QStringLiteral("wal")};
}

Snapshot::~Snapshot() = default;
Snapshot::Snapshot(Snapshot&&) noexcept = default;
Snapshot& Snapshot::operator=(Snapshot&&) noexcept = default;

Outcome Snapshot::writeTo(const QString& target, Check check) {
    if (!source_)
        return taken_;
    const std::unique_ptr<Source> source = std::move(source_);
    Outcome outcome;
    // Written beside the target under another name, so a copy cut short
    // never stands where a good one is expected.
    const QString part = target + QStringLiteral(".teil");
    QFile::remove(part);
    const auto writeFailed = [&](const QString& reason) {
        QFile::remove(part);
        outcome.error = QStringLiteral("Die Datensicherung \"%1\" konnte nicht geschrieben "
                                       "werden: %2")
                            .arg(shown(target), reason);
        return outcome;
    };
    {
        const Connection to(part, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        if (!to.ok())
            return writeFailed(to.errorText());
        const int copied = copyPages(source->connection.handle(), to.handle());
        if (copied != SQLITE_OK) {
            outcome.sourceDamaged = isDamage(copied);
            if (outcome.sourceDamaged) {
                QFile::remove(part);
                outcome.error = QStringLiteral("Die Datenbank \"%1\" kann nicht gelesen werden: %2")
                                    .arg(shown(path_), damagedText());
                return outcome;
            }
            return writeFailed(QString::fromUtf8(sqlite3_errstr(copied)));
        }
        // Every page is copied: the snapshot goes before the copy is checked.
        column(source->connection.handle(), QStringLiteral("ROLLBACK"));
        // The copy is one file of its own, without a write-ahead log beside it.
        if (!column(to.handle(), QStringLiteral("PRAGMA journal_mode=DELETE")))
            return writeFailed(to.errorText());
        bool damaged = false;
        if (const auto problem = examine(to, check, outcome.counts, damaged))
            return writeFailed(*problem);
    }
    if (!replaceFile(part, target))
        return writeFailed(QStringLiteral("Die Datei lässt sich nicht umbenennen."));
    syncFolder(QFileInfo(target).absolutePath());
    return outcome;
}

Outcome copy(const QString& source, const QString& target, Check check) {
    Snapshot snapshot(source);
    return snapshot.writeTo(target, check);
}

Outcome inspect(const QString& path, Check check) {
    Outcome outcome;
    if (!QFileInfo(path).isFile()) {
        outcome.error = QStringLiteral("Die Datei gibt es nicht.");
        return outcome;
    }
    const Connection db(path, SQLITE_OPEN_READONLY);
    if (!db.ok()) {
        outcome.sourceDamaged = isDamage(db.errorCode());
        outcome.error = outcome.sourceDamaged ? damagedText() : db.errorText();
        return outcome;
    }
    outcome.error = examine(db, check, outcome.counts, outcome.sourceDamaged);
    return outcome;
}

std::optional<QString> restore(const QString& backup, const QString& live) {
    if (!QDir().mkpath(QFileInfo(live).absolutePath()))
        return QStringLiteral("Der Datenordner \"%1\" kann nicht angelegt werden.")
            .arg(shown(QFileInfo(live).absolutePath()));
    const Connection from(backup, SQLITE_OPEN_READONLY);
    const Connection to(live, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    if (!from.ok())
        return from.errorText();
    if (!to.ok())
        return to.errorText();
    const int copied = copyPages(from.handle(), to.handle());
    if (copied != SQLITE_OK)
        return QStringLiteral("Die Datenbank \"%1\" konnte nicht ersetzt werden: %2")
            .arg(shown(live), QString::fromUtf8(sqlite3_errstr(copied)));
    return std::nullopt;
}

} // namespace database_copy
