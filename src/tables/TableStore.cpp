#include "TableStore.h"

#include "GermanCollation.h"
#include "PostgresSchema.h"
#include "PostgresStatement.h"
#include "SqliteStatement.h"
#include "common/Prompter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <QThread>
#include <QUrl>

#include <atomic>
#include <libpq-fe.h>
#include <sqlite3.h>

namespace {
constexpr int kSqlitePermission = 3;
constexpr int kRetryMs = 20;
constexpr int kSqliteBusy = 5;
constexpr int kSqliteLocked = 6;
constexpr int kSqliteReadOnly = 8;
constexpr int kSqliteIoError = 10;
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteFull = 13;
constexpr int kSqliteCantOpen = 14;
constexpr int kSqliteConstraint = 19;
constexpr int kSqliteNotADatabase = 26;

constexpr const char* kPgUniqueViolation = "23505";
constexpr const char* kPgFailedTransaction = "25P02";

// The server's own first line without the severity before it ("ERROR:  ");
// what follows (context, the driver's "(23505)") says nothing to a user.
QString serverDetail(const QSqlError& error) {
    static const QRegularExpression severity(QStringLiteral("^\\p{Lu}+:\\s+"));
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.section(QLatin1Char('\n'), 0, 0).remove(severity).trimmed();
}

bool isServerLock(const QString& state) {
    // lock not available, deadlock, serialization failure
    return state == QLatin1String("55P03") || state == QLatin1String("40P01") ||
           state == QLatin1String("40001");
}

const QString kReadOnly = QStringLiteral("Die Daten können nur gelesen werden: ");

QString nextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("ztd-tables-%1").arg(++counter);
}
} // namespace

TableStore::TableStore(const DatabaseLocation& location, Prompter& prompter)
    : directory_(location.folder)
    , server_(location.server)
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
    return onServer() ? server_.url() : QDir(directory_).filePath(fileName());
}

QString TableStore::exactCollation() const {
    return onServer() ? QLatin1String(postgres_schema::kExactCollation)
                      : QStringLiteral(" COLLATE BINARY");
}

const TableDefinition* TableStore::definition(const QString& table) const {
    for (const TableDefinition* candidate : {&archiveTableDefinition(), &customerTableDefinition()})
        if (candidate->name == table)
            return candidate;
    return nullptr;
}

std::unique_ptr<SqlStatement> TableStore::prepare(const QString& sql, QSqlError* error) {
    if (onServer())
        return postgres_engine::prepare(postgres_engine::handle(db_), sql, error);
    return sqlite_engine::prepare(sqlite_engine::handle(db_), sql, error);
}

std::unique_ptr<SqlStatement> TableStore::prepareStream(const QString& sql, QSqlError* error) {
    if (!onServer())
        return prepare(sql, error);
    PGconn* own = PQconnectdb(server_.connectionInfo().toUtf8().constData());
    if (PQstatus(own) != CONNECTION_OK) {
        if (error)
            *error = postgres_engine::errorOf(nullptr, own);
        PQfinish(own);
        return nullptr;
    }
    return postgres_engine::prepare(own, sql, error, true);
}

bool TableStore::isKeyViolation(const QSqlError& error) const {
    if (onServer())
        return error.nativeErrorCode() == QLatin1String(kPgUniqueViolation);
    return (error.nativeErrorCode().toInt() & 0xFF) == kSqliteConstraint;
}

QString TableStore::describe(const QString& table, const QSqlError& error) const {
    if (onServer())
        return describeServerError(table, error);
    const int code = error.nativeErrorCode().toInt() & 0xFF;
    const QString detail = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    const QString database = QDir::toNativeSeparators(databasePath());
    switch (code) {
    case kSqliteBusy:
    case kSqliteLocked:
        if (table.isEmpty())
            return QStringLiteral("Die Datenbank \"%1\" wird von einem anderen Programm benutzt "
                                  "und ist gesperrt. Bitte schließen Sie das andere Programm und "
                                  "versuchen Sie es noch einmal.")
                .arg(database);
        return QStringLiteral("Die Tabelle \"%1\" ist von einem anderen Programm gesperrt. "
                              "Bitte schließen Sie das andere Programm und versuchen Sie es "
                              "noch einmal.")
            .arg(table);
    case kSqliteCorrupt:
    case kSqliteNotADatabase:
        return QStringLiteral("Die Datenbank \"%1\" kann nicht gelesen werden: Sie ist "
                              "beschädigt oder keine Datenbank dieses Programms.")
            .arg(database);
    case kSqliteCantOpen:
        return QStringLiteral("Die Datenbank \"%1\" kann nicht geöffnet werden (%2).")
            .arg(database, detail);
    case kSqliteReadOnly:
        return kReadOnly +
               (isReadOnly() ? readOnlyReason_
                             : QStringLiteral("Die Datenbank \"%1\" lässt sich nicht beschreiben "
                                              "(%2).")
                                   .arg(database, detail));
    case kSqliteFull:
        return QStringLiteral("Der Datenträger ist voll: In die Datenbank \"%1\" kann nichts "
                              "mehr geschrieben werden (%2).")
            .arg(database, detail);
    case kSqliteIoError:
        return QStringLiteral("Der Datenträger der Datenbank \"%1\" meldet einen Lese- oder "
                              "Schreibfehler (%2).")
            .arg(database, detail);
    case kSqlitePermission:
        return QStringLiteral("Der Zugriff auf die Datenbank \"%1\" wird verweigert (%2).")
            .arg(database, detail);
    case kSqliteConstraint:
        return QStringLiteral("Schlüsselverletzung in der Tabelle \"%1\": %2").arg(table, detail);
    default:
        if (table.isEmpty())
            return QStringLiteral("Fehler in der Datenbank \"%1\": %2").arg(database, detail);
        return QStringLiteral("Fehler in der Tabelle \"%1\": %2").arg(table, detail);
    }
}

void TableStore::show(const QString& text, const QString& caption, const QString& failure) {
    if (oncePerFailure_) {
        if (shownFailures_.contains(failure))
            return;
        shownFailures_ << failure;
    }
    prompter_.message(text, caption, Prompter::Buttons::Ok);
}

void TableStore::report(const QString& text) {
    show(text, QStringLiteral("Fehler"), text);
}

void TableStore::reportError(const QString& table, const QSqlError& error) {
    const int code = error.nativeErrorCode().toInt() & 0xFF;
    const bool locked = onServer() ? isServerLock(error.nativeErrorCode())
                                   : code == kSqliteBusy || code == kSqliteLocked;
    lockMet_ = lockMet_ || (locked && oncePerFailure_);
    // The statement that spoilt the server's transaction has been told.
    if (onServer() && error.nativeErrorCode() == QLatin1String(kPgFailedTransaction)) {
        failed_ = depth_ > 0;
        return;
    }
    const QString text = describe(table, error);
    // However many tables meet it, another program's lock is one failure.
    show(text, QStringLiteral("Fehler"), locked ? QStringLiteral("locked") : text);
}

TableStore::OncePerFailure::OncePerFailure(TableStore& store)
    : store_(store) {
    store_.oncePerFailure_ = true;
}

TableStore::OncePerFailure::~OncePerFailure() {
    store_.oncePerFailure_ = false;
    store_.shownFailures_.clear();
    store_.openFailed_ = false;
    store_.lockMet_ = false;
}

void TableStore::setBusyTimeout(int milliseconds) {
    busyTimeout_ = milliseconds;
    if (open_ && onServer())
        QSqlQuery(db_).exec(QStringLiteral("SET lock_timeout = %1").arg(milliseconds));
    else if (open_)
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
    if (openFailed_)
        return false;
    open_ = openFile();
    openFailed_ = !open_ && oncePerFailure_;
    return open_;
}

QString TableStore::writeProblem() const {
    QTemporaryFile probe(QDir(directory_).filePath(QStringLiteral("ztd-probe-XXXXXX")));
    if (!probe.open())
        return QStringLiteral("In den Datenordner \"%1\" kann nicht geschrieben werden.")
            .arg(QDir::toNativeSeparators(directory_));
    QFile file(databasePath());
    if (file.exists() && !file.open(QIODevice::ReadWrite))
        return QStringLiteral("Die Datei \"%1\" ist schreibgeschützt.")
            .arg(QDir::toNativeSeparators(databasePath()));
    return {};
}

bool TableStore::openFile() {
    if (onServer())
        return openServer();
    if (!QFileInfo(directory_).isDir() && !QDir().mkpath(directory_)) {
        report(QStringLiteral("Der Datenordner \"%1\" kann nicht angelegt werden.")
                   .arg(QDir::toNativeSeparators(directory_)));
        return false;
    }
    readOnlyReason_ = writeProblem();
    if (isReadOnly() && !QFile::exists(databasePath())) {
        report(QStringLiteral("Die Datenbank kann nicht angelegt werden: %1").arg(readOnlyReason_));
        readOnlyReason_.clear();
        return false;
    }
    if (!db_.isValid())
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeout_);
    db_.setDatabaseName(databasePath());
    if (isReadOnly()) {
        options += QStringLiteral(";QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI");
        // Without write access to the folder no reader can set up the shared
        // index of the write-ahead log; the file is then read as it stands.
        db_.setDatabaseName(QUrl::fromLocalFile(databasePath()).toString(QUrl::FullyEncoded) +
                            QStringLiteral("?immutable=1"));
    }
    db_.setConnectOptions(options);
    if (!db_.open()) {
        reportError({}, db_.lastError());
        return false;
    }
    if (!german_collation::registerOn(db_)) {
        report(QStringLiteral("Die Sortierung für deutsche Texte lässt sich nicht einrichten."));
        db_.close();
        return false;
    }
    // Room for the indexes a million rows need, so that counting them and
    // paging through them is read from memory after the first time.
    QSqlQuery(db_).exec(QStringLiteral("PRAGMA cache_size = -65536"));
    // Every post is on disk when it returns: a power cut loses at most the row
    // being written.
    bool ok = isReadOnly() ||
              (useWriteAheadLog() && exec({}, QStringLiteral("PRAGMA synchronous=FULL")) &&
               (isSetUp() || setUp()));
    if (!ok) {
        db_.close();
        return false;
    }
    if (isReadOnly())
        show(kReadOnly + readOnlyReason_, QStringLiteral("Hinweis"), kReadOnly + readOnlyReason_);
    return true;
}

std::pair<qint64, qint64> TableStore::changeStamp() {
    if (!open_)
        return {-1, -1};
    if (onServer()) {
        // Moved by every write statement of every PC, rolled back or not.
        QSqlQuery counter(db_);
        return {counter.exec(QStringLiteral("SELECT last_value FROM %1")
                                 .arg(QLatin1String(postgres_schema::kChangeCounter))) &&
                        counter.next()
                    ? counter.value(0).toLongLong()
                    : -1,
                0};
    }
    QSqlQuery version(db_);
    const qint64 others = version.exec(QStringLiteral("PRAGMA data_version")) && version.next()
                              ? version.value(0).toLongLong()
                              : -1;
    return {sqlite3_total_changes64(sqlite_engine::handle(db_)), others};
}

bool TableStore::useWriteAheadLog() {
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        QSqlQuery query(db_);
        if (query.exec(QStringLiteral("PRAGMA journal_mode")) && query.next() &&
            query.value(0).toString() == QLatin1String("wal"))
            return true;
        // A file another program is setting up at the same moment refuses the
        // switch at once instead of waiting: wait here, as for any lock.
        if (query.exec(QStringLiteral("PRAGMA journal_mode=WAL")))
            return true;
        const int code = query.lastError().nativeErrorCode().toInt() & 0xFF;
        const bool locked = code == kSqliteBusy || code == kSqliteLocked;
        if (!locked || waited.elapsed() >= busyTimeout_) {
            reportError({}, query.lastError());
            return false;
        }
        QThread::msleep(kRetryMs);
    }
}

bool TableStore::isSetUp() {
    QHash<QString, QString> present; // name → definition
    QSqlQuery query(db_);
    if (!query.exec(QStringLiteral("SELECT name, coalesce(sql, '') FROM sqlite_master")))
        return false;
    while (query.next())
        present.insert(query.value(0).toString(), query.value(1).toString());
    for (const TableDefinition* table : {&archiveTableDefinition(), &customerTableDefinition()}) {
        if (present.value(table->name) != table->storedSql())
            return false;
        for (const QString& name : table->helperIndexNames())
            if (!present.contains(name))
                return false;
    }
    return true;
}

bool TableStore::setUp() {
    // Under the write lock from the start: two programs setting up a new
    // file at once wait for each other instead of failing.
    if (!exec({}, QStringLiteral("BEGIN EXCLUSIVE")))
        return false;
    bool ok = true;
    for (const TableDefinition* table : {&archiveTableDefinition(), &customerTableDefinition()}) {
        ok = ok && exec({}, table->createSql()) && allowEmptyNumbers(*table);
        for (const QString& sql : table->helperIndexSql())
            ok = ok && exec({}, sql);
    }
    if (ok && exec({}, QStringLiteral("COMMIT")))
        return true;
    QSqlQuery(db_).exec(QStringLiteral("ROLLBACK"));
    return false;
}

bool TableStore::allowEmptyNumbers(const TableDefinition& table) {
    const QString before = table.storedSqlBeforeNullable();
    if (before == table.storedSql())
        return true;
    QSqlQuery query(db_);
    query.prepare(
        QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?"));
    query.addBindValue(table.name);
    if (!query.exec() || !query.next() || query.value(0).toString() != before)
        return true;
    query.finish();
    // Only the definition changes (a NOT NULL dropped), not a stored byte, so
    // it is rewritten in place as the engine's documentation describes.
    bool ok = query.exec(QStringLiteral("PRAGMA schema_version")) && query.next();
    const int version = ok ? query.value(0).toInt() : 0;
    query.finish();
    ok = ok && exec(table.name, QStringLiteral("PRAGMA writable_schema = ON"));
    QSqlQuery rewrite(db_);
    rewrite.prepare(QStringLiteral("UPDATE sqlite_master SET sql = ? WHERE type = 'table' AND "
                                   "name = ?"));
    rewrite.addBindValue(table.storedSql());
    rewrite.addBindValue(table.name);
    if (ok && !rewrite.exec()) {
        reportError(table.name, rewrite.lastError());
        ok = false;
    }
    ok = ok && exec(table.name, QStringLiteral("PRAGMA schema_version = %1").arg(version + 1));
    exec(table.name, QStringLiteral("PRAGMA writable_schema = OFF"));
    if (!table.emptyNumbersMend.isEmpty())
        ok = ok && exec(table.name, table.emptyNumbersMend);
    return ok;
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
    query.prepare(onServer() ? postgres_schema::indexNamesSql()
                             : QStringLiteral("SELECT name FROM sqlite_master WHERE type = "
                                              "'index' AND tbl_name = ? AND substr(name, 1, ?) = "
                                              "? ORDER BY rowid"));
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
    if (onServer()) {
        query.prepare(postgres_schema::indexTermsSql());
        query.addBindValue(sqlName);
    }
    const bool read =
        onServer() ? query.exec()
                   : query.exec(QStringLiteral("PRAGMA index_xinfo(%1)").arg(quoted(sqlName)));
    if (!read) {
        reportError(table, query.lastError());
        return std::nullopt;
    }
    // SQLite lists the rowid every index carries too, marked as not a key column.
    const int nameColumn = onServer() ? 0 : 2;
    const int collationColumn = onServer() ? 1 : 4;
    const QLatin1String german(onServer() ? postgres_schema::kGermanCollation
                                          : german_collation::kName);
    QList<IndexTerm> terms;
    while (query.next()) {
        if (!onServer() && query.value(5).toInt() != 1)
            continue;
        const int field = def->indexOf(query.value(nameColumn).toString());
        if (field < 0)
            return std::nullopt;
        const bool exact = def->fields[field].type == FieldType::Text &&
                           query.value(collationColumn).toString() != german;
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
            column += exactCollation();
        if (onServer() && def->fields[field].nullable)
            column += QLatin1String(" NULLS FIRST");
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

bool TableStore::openServer() {
    if (!db_.isValid())
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection_);
    if (!db_.isValid()) {
        report(QStringLiteral("Für PostgreSQL fehlt Qts Datenbanktreiber QPSQL (Paket "
                              "libqt6sql6-psql)."));
        return false;
    }
    db_.setHostName(server_.host);
    db_.setPort(server_.port);
    db_.setUserName(server_.user);
    db_.setDatabaseName(server_.database);
    db_.setConnectOptions(QStringLiteral("connect_timeout=10;application_name=ztd"));
    if (!db_.open()) {
        reportError({}, db_.lastError());
        return false;
    }
    QSqlQuery settings(db_);
    bool ok = settings.exec(QStringLiteral("SET lock_timeout = %1").arg(busyTimeout_));
    if (ok && !server_.schema.isEmpty())
        ok = settings.exec(QStringLiteral("SET search_path TO %1").arg(quoted(server_.schema)));
    if (!ok)
        reportError({}, settings.lastError());
    ok = ok && setUpServer();
    if (!ok) {
        db_.close();
        return false;
    }
    // Other PCs' writes are told to the grids (see TableGridModel).
    db_.driver()->subscribeToNotification(QLatin1String(postgres_schema::kChangeCounter));
    return true;
}

bool TableStore::setUpServer() {
    QSqlQuery present(db_);
    if (!present.exec(postgres_schema::presentObjectsSql())) {
        reportError({}, present.lastError());
        return false;
    }
    QStringList missing = postgres_schema::requiredObjects();
    while (present.next())
        missing.removeAll(present.value(0).toString());
    if (missing.isEmpty())
        return true;
    // Two PCs setting up the same new archive at once wait for each other
    // (a set-up takes longer than a row's lock may); other archives on the
    // server are not held up.
    if (!exec({}, QStringLiteral("BEGIN")) ||
        !exec({}, QStringLiteral("SET LOCAL lock_timeout = '60s'")) ||
        !exec({}, QStringLiteral("SELECT pg_advisory_xact_lock(hashtext(current_schema()))")))
        return false;
    bool ok = true;
    for (const QString& sql : postgres_schema::setUpSql())
        ok = ok && exec({}, sql);
    if (ok && exec({}, QStringLiteral("COMMIT")))
        return true;
    QSqlQuery(db_).exec(QStringLiteral("ROLLBACK"));
    return false;
}

QString TableStore::describeServerError(const QString& table, const QSqlError& error) const {
    const QString detail = serverDetail(error);
    QString state = error.nativeErrorCode();
    // A refused connection comes without a code; only the client library's words tell.
    if (state.isEmpty() && (detail.contains(QLatin1String("password authentication failed")) ||
                            detail.contains(QLatin1String("no password supplied"))))
        state = QStringLiteral("28P01");
    else if (state.isEmpty() && detail.contains(QLatin1String("database \"")) &&
             detail.contains(QLatin1String("does not exist")))
        state = QStringLiteral("3D000");
    const QString server = server_.url();
    if (isServerLock(state)) {
        if (table.isEmpty())
            return QStringLiteral("Die Datenbank \"%1\" ist gerade von einem anderen Arbeitsplatz "
                                  "gesperrt. Bitte versuchen Sie es noch einmal.")
                .arg(server);
        return QStringLiteral("Die Tabelle \"%1\" ist gerade von einem anderen Arbeitsplatz "
                              "gesperrt. Bitte versuchen Sie es noch einmal.")
            .arg(table);
    }
    if (state == QLatin1String(kPgUniqueViolation))
        return QStringLiteral("Schlüsselverletzung in der Tabelle \"%1\": %2").arg(table, detail);
    if (state == QLatin1String("28P01") || state == QLatin1String("28000"))
        return QStringLiteral("Der Datenbankserver \"%1\" lehnt die Anmeldung ab (%2). Das "
                              "Kennwort gehört in die Datei ~/.pgpass.")
            .arg(server, detail);
    if (state == QLatin1String("3D000"))
        return QStringLiteral("Die Datenbank \"%1\" gibt es auf dem Server nicht (%2).")
            .arg(server, detail);
    if (state == QLatin1String("42501"))
        return QStringLiteral("Der Zugriff auf die Datenbank \"%1\" wird verweigert (%2).")
            .arg(server, detail);
    if (state == QLatin1String("53100"))
        return QStringLiteral("Der Datenträger des Datenbankservers ist voll: In die Datenbank "
                              "\"%1\" kann nichts mehr geschrieben werden (%2).")
            .arg(server, detail);
    // No connection, or the server ended it (shut down, restarted).
    if (state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P0")) ||
        state.isEmpty())
        return QStringLiteral("Der Datenbankserver \"%1\" ist nicht erreichbar (%2).")
            .arg(server, detail);
    if (table.isEmpty())
        return QStringLiteral("Fehler in der Datenbank \"%1\": %2").arg(server, detail);
    return QStringLiteral("Fehler in der Tabelle \"%1\": %2").arg(table, detail);
}
