#include "TableStore.h"

#include "GermanCollation.h"
#include "common/Prompter.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>

namespace {
constexpr int kSqliteBusy = 5;
constexpr int kSqliteLocked = 6;
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteCantOpen = 14;
constexpr int kSqliteConstraint = 19;
constexpr int kSqliteNotADatabase = 26;

QString nextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("ztd-tables-%1").arg(++counter);
}
} // namespace

TableStore::TableStore(const QString& directory, Prompter& prompter)
    : directory_(directory)
    , prompter_(prompter)
    , connection_(nextConnectionName()) {}

TableStore::~TableStore() {
    if (db_.isValid()) {
        if (depth_ > 0)
            db_.rollback();
        db_.close();
    }
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(connection_);
}

QString TableStore::databasePath() const {
    return QDir(directory_).filePath(fileName());
}

const TableDefinition* TableStore::definition(const QString& table) const {
    for (const TableDefinition* candidate : {&archiveTableDefinition(), &customerTableDefinition()})
        if (candidate->name == table)
            return candidate;
    return nullptr;
}

QString TableStore::describe(const QString& table, const QSqlError& error,
                             const QString& databasePath) {
    const int code = error.nativeErrorCode().toInt() & 0xFF;
    const QString detail = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    switch (code) {
    case kSqliteBusy:
    case kSqliteLocked:
        return QStringLiteral("Die Tabelle \"%1\" ist von einem anderen Programm gesperrt. "
                              "Bitte schließen Sie das andere Programm und versuchen Sie es "
                              "noch einmal.")
            .arg(table);
    case kSqliteCorrupt:
    case kSqliteNotADatabase:
        return QStringLiteral("Die Datenbank \"%1\" kann nicht gelesen werden: Sie ist "
                              "beschädigt oder keine Datenbank dieses Programms.")
            .arg(QDir::toNativeSeparators(databasePath));
    case kSqliteCantOpen:
        return QStringLiteral("Die Datenbank \"%1\" kann nicht geöffnet werden (%2).")
            .arg(QDir::toNativeSeparators(databasePath), detail);
    case kSqliteConstraint:
        return QStringLiteral("Schlüsselverletzung in der Tabelle \"%1\": %2").arg(table, detail);
    default:
        return QStringLiteral("Fehler in der Tabelle \"%1\": %2").arg(table, detail);
    }
}

void TableStore::report(const QString& text) {
    prompter_.message(text, QStringLiteral("Fehler"), Prompter::Buttons::Ok);
}

void TableStore::reportError(const QString& table, const QSqlError& error) {
    report(describe(table, error, databasePath()));
}

void TableStore::setBusyTimeout(int milliseconds) {
    busyTimeout_ = milliseconds;
    if (open_)
        QSqlQuery(db_).exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(milliseconds));
}

bool TableStore::exec(const QString& table, const QString& sql) {
    QSqlQuery query(db_);
    if (query.exec(sql))
        return true;
    reportError(table, query.lastError());
    return false;
}

bool TableStore::open() {
    if (open_)
        return true;
    if (!QDir().mkpath(directory_)) {
        report(QStringLiteral("Der Datenordner \"%1\" kann nicht angelegt werden.")
                   .arg(QDir::toNativeSeparators(directory_)));
        return false;
    }
    if (!db_.isValid())
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db_.setDatabaseName(databasePath());
    db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeout_));
    if (!db_.open()) {
        reportError(QStringLiteral("zt"), db_.lastError());
        return false;
    }
    if (!german_collation::registerOn(db_)) {
        report(QStringLiteral("Die Sortierung für deutsche Texte lässt sich nicht einrichten."));
        db_.close();
        return false;
    }
    // Every post is on disk when it returns: a power cut loses at most the row
    // being written.
    bool ok = exec(QStringLiteral("zt"), QStringLiteral("PRAGMA journal_mode=WAL")) &&
              exec(QStringLiteral("zt"), QStringLiteral("PRAGMA synchronous=FULL"));
    for (const TableDefinition* table : {&archiveTableDefinition(), &customerTableDefinition()}) {
        ok = ok && exec(table->name, table->createSql()) && allowEmptyNumbers(*table);
        for (const QString& sql : table->helperIndexSql())
            ok = ok && exec(table->name, sql);
    }
    if (!ok) {
        db_.close();
        return false;
    }
    open_ = true;
    return true;
}

bool TableStore::allowEmptyNumbers(const TableDefinition& table) {
    const QString before = table.storedSqlBeforeNullable();
    if (before == table.storedSql())
        return true;
    QSqlQuery query(db_);
    query.prepare(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?"));
    query.addBindValue(table.name);
    if (!query.exec() || !query.next() || query.value(0).toString() != before)
        return true;
    query.finish();
    // Only the definition changes (a NOT NULL dropped), not a stored byte, so
    // it is rewritten in place as the engine's documentation describes.
    if (!begin(table.name))
        return false;
    bool ok = query.exec(QStringLiteral("PRAGMA schema_version")) && query.next();
    const int version = ok ? query.value(0).toInt() : 0;
    query.finish();
    QSqlQuery rewrite(db_);
    rewrite.prepare(QStringLiteral("UPDATE sqlite_master SET sql = ? WHERE type = 'table' AND "
                                   "name = ?"));
    rewrite.addBindValue(table.storedSql());
    rewrite.addBindValue(table.name);
    ok = ok && exec(table.name, QStringLiteral("PRAGMA writable_schema = ON"));
    if (ok && !rewrite.exec()) {
        reportError(table.name, rewrite.lastError());
        ok = false;
    }
    ok = ok && exec(table.name, QStringLiteral("PRAGMA schema_version = %1").arg(version + 1));
    exec(table.name, QStringLiteral("PRAGMA writable_schema = OFF"));
    if (!table.emptyNumbersMend.isEmpty())
        ok = ok && exec(table.name, table.emptyNumbersMend);
    if (!ok)
        failTransaction();
    return commit(table.name) && ok;
}

QString TableStore::sqlIndexName(const QString& table, const QString& name) {
    for (const QString& existing : indexNames(table))
        if (existing.compare(name, Qt::CaseInsensitive) == 0)
            return table + QLatin1Char(':') + existing;
    return {};
}

QStringList TableStore::indexNames(const QString& table) {
    QStringList names;
    if (!open_)
        return names;
    QSqlQuery query(db_);
    query.prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND "
                                 "tbl_name = ? AND substr(name, 1, ?) = ? ORDER BY rowid"));
    const QString prefix = table + QLatin1Char(':');
    query.addBindValue(table);
    query.addBindValue(prefix.size());
    query.addBindValue(prefix);
    if (!query.exec()) {
        reportError(table, query.lastError());
        return names;
    }
    while (query.next())
        names << query.value(0).toString().mid(prefix.size());
    return names;
}

std::optional<QList<IndexTerm>> TableStore::indexTerms(const QString& table, const QString& name) {
    const TableDefinition* def = definition(table);
    const QString sqlName = sqlIndexName(table, name);
    if (!def || sqlName.isEmpty())
        return std::nullopt;
    QSqlQuery query(db_);
    if (!query.exec(QStringLiteral("PRAGMA index_xinfo(%1)").arg(quoted(sqlName)))) {
        reportError(table, query.lastError());
        return std::nullopt;
    }
    QList<IndexTerm> terms;
    while (query.next()) {
        if (query.value(5).toInt() != 1) // the rowid every index carries
            continue;
        const int field = def->indexOf(query.value(2).toString());
        if (field < 0)
            return std::nullopt;
        const bool exact = def->fields[field].type == FieldType::Text &&
                           query.value(4).toString() != QLatin1String(german_collation::kName);
        terms << IndexTerm{field, exact};
    }
    return terms;
}

bool TableStore::addIndex(const QString& table, const QString& name, const QString& fields,
                          bool caseInsensitive) {
    const TableDefinition* def = definition(table);
    if (!def || !open())
        return false;
    if (name.trimmed().isEmpty()) {
        report(QStringLiteral("Ein Index braucht einen Namen."));
        return false;
    }
    if (!sqlIndexName(table, name).isEmpty()) {
        report(QStringLiteral("Der Index \"%1\" ist in der Tabelle \"%2\" schon vorhanden.")
                   .arg(name, table));
        return false;
    }
    QStringList columns;
    for (const QString& fieldName : fields.split(QLatin1Char(';'))) {
        const int field = def->indexOf(fieldName.trimmed());
        if (field < 0) {
            report(QStringLiteral("Das Feld \"%1\" gibt es in der Tabelle \"%2\" nicht.")
                       .arg(fieldName.trimmed(), table));
            return false;
        }
        QString column = quoted(def->fields[field].name);
        if (!caseInsensitive && def->fields[field].type == FieldType::Text)
            column += QLatin1String(" COLLATE BINARY");
        columns << column;
    }
    return exec(table, QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                           .arg(quoted(table + QLatin1Char(':') + name), quoted(table),
                                columns.join(QLatin1String(", "))));
}

bool TableStore::deleteIndex(const QString& table, const QString& name) {
    if (!open())
        return false;
    const QString sqlName = sqlIndexName(table, name);
    if (sqlName.isEmpty()) {
        report(QStringLiteral("Den Index \"%1\" gibt es in der Tabelle \"%2\" nicht.")
                   .arg(name, table));
        return false;
    }
    return exec(table, QStringLiteral("DROP INDEX %1").arg(quoted(sqlName)));
}

bool TableStore::begin(const QString& table, bool exclusive) {
    if (!open())
        return false;
    if (depth_ == 0) {
        QSqlQuery query(db_);
        if (!query.exec(exclusive ? QStringLiteral("BEGIN EXCLUSIVE") : QStringLiteral("BEGIN"))) {
            reportError(table, query.lastError());
            return false;
        }
        failed_ = false;
    }
    ++depth_;
    return true;
}

bool TableStore::commit(const QString& table) {
    if (depth_ == 0)
        return false;
    if (--depth_ > 0)
        return !failed_;
    QSqlQuery query(db_);
    if (failed_) {
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    if (query.exec(QStringLiteral("COMMIT")))
        return true;
    reportError(table, query.lastError());
    query.exec(QStringLiteral("ROLLBACK"));
    return false;
}

void TableStore::rollback(const QString& table) {
    failed_ = true;
    commit(table);
}

std::optional<QString> TableStore::beginWrite(const QString& table) {
    if (!open())
        return QStringLiteral("Die Datenbank \"%1\" ist nicht geöffnet.")
            .arg(QDir::toNativeSeparators(databasePath()));
    if (depth_ > 0)
        return QStringLiteral("Die Tabelle \"%1\" wird gerade bearbeitet.").arg(table);
    QSqlQuery query(db_);
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return describe(table, query.lastError(), databasePath());
    depth_ = 1;
    failed_ = false;
    return std::nullopt;
}

std::optional<QString> TableStore::commitWrite(const QString& table) {
    if (depth_ != 1)
        return QStringLiteral("Die Tabelle \"%1\" hat keine offene Änderung.").arg(table);
    depth_ = 0;
    QSqlQuery query(db_);
    if (query.exec(QStringLiteral("COMMIT")))
        return std::nullopt;
    const QString reason = describe(table, query.lastError(), databasePath());
    query.exec(QStringLiteral("ROLLBACK"));
    return reason;
}

void TableStore::rollbackWrite() {
    if (depth_ != 1)
        return;
    depth_ = 0;
    QSqlQuery(db_).exec(QStringLiteral("ROLLBACK"));
}
