#include "TableStore.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>

namespace {
QString lockStatement(const QString& table) {
    return QStringLiteral("LOCK TABLE %1 IN SHARE ROW EXCLUSIVE MODE").arg(quoted(table));
}
} // namespace

bool TableStore::begin(const QString& table, bool exclusive) {
    if (!open())
        return false;
    if (depth_ == 0) {
        if (lockMet_)
            return false;
        QSqlQuery query(db_);
        // Where nothing can be written, nothing needs keeping out either.
        // Other PCs on a server are never kept out: they keep working.
        exclusive = exclusive && !isReadOnly() && !onServer();
        if (!query.exec(exclusive ? QStringLiteral("BEGIN EXCLUSIVE") : QStringLiteral("BEGIN"))) {
            reportError(table, query.lastError());
            return false;
        }
        failed_ = false;
    } else if (onServer()) {
        QSqlQuery query(db_);
        if (!query.exec(savepoint(QStringLiteral("SAVEPOINT")))) {
            reportError(table, query.lastError());
            failed_ = true;
            return false;
        }
    }
    ++depth_;
    return true;
}

QString TableStore::savepoint(const QString& command) const {
    return QStringLiteral("%1 ztd_level_%2").arg(command).arg(depth_);
}

bool TableStore::commit(const QString& table) {
    return end(table, false);
}

void TableStore::rollback(const QString& table) {
    failed_ = true;
    end(table, true);
}

bool TableStore::end(const QString& table, bool rollingBack) {
    if (depth_ == 0)
        return false;
    if (--depth_ > 0) {
        // A statement that failed on a server spoils its transaction for every
        // later one; going back to the level's start keeps the rest readable
        // (the outermost commit still rolls the whole back).
        if (onServer()) {
            QSqlQuery query(db_);
            if (rollingBack)
                query.exec(savepoint(QStringLiteral("ROLLBACK TO SAVEPOINT")));
            query.exec(savepoint(QStringLiteral("RELEASE SAVEPOINT")));
        }
        return !failed_;
    }
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

std::optional<QString> TableStore::beginWrite(const QString& table) {
    if (!open())
        return QStringLiteral("Die Datenbank \"%1\" ist nicht geöffnet.")
            .arg(QDir::toNativeSeparators(databasePath()));
    if (depth_ > 0)
        return QStringLiteral("Die Tabelle \"%1\" wird gerade bearbeitet.").arg(table);
    QSqlQuery query(db_);
    if (onServer()) {
        // Other writers wait, readers go on, as with SQLite's write lock.
        if (!query.exec(QStringLiteral("BEGIN")))
            return describe(table, query.lastError());
        if (!query.exec(lockStatement(table))) {
            const QString reason = describe(table, query.lastError());
            query.exec(QStringLiteral("ROLLBACK"));
            return reason;
        }
    } else if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        return describe(table, query.lastError());
    }
    depth_ = 1;
    failed_ = false;
    return std::nullopt;
}

bool TableStore::lockAgainstWriters(const QString& table) {
    if (!onServer())
        return true;
    QSqlQuery query(db_);
    if (query.exec(lockStatement(table)))
        return true;
    reportError(table, query.lastError());
    return false;
}

std::optional<QString> TableStore::commitWrite(const QString& table) {
    if (depth_ != 1)
        return QStringLiteral("Die Tabelle \"%1\" hat keine offene Änderung.").arg(table);
    depth_ = 0;
    QSqlQuery query(db_);
    if (query.exec(QStringLiteral("COMMIT")))
        return std::nullopt;
    const QString reason = describe(table, query.lastError());
    query.exec(QStringLiteral("ROLLBACK"));
    return reason;
}

void TableStore::rollbackWrite() {
    if (depth_ != 1)
        return;
    depth_ = 0;
    QSqlQuery(db_).exec(QStringLiteral("ROLLBACK"));
}
