#include "BatchInsert.h"

#include "FieldValues.h"
#include "RowScan.h"
#include "SqlBinding.h"
#include "TableStore.h"

#include <sqlite3.h>

namespace {
// Another writer that took a number meanwhile is outrun by reading the
// numbers again; a key that still clashes after that is a real fault.
constexpr int kAttempts = 3;

const TableDefinition& definitionOf(TableStore& store, const QString& table) {
    const TableDefinition* definition = store.definition(table);
    Q_ASSERT(definition);
    return *definition;
}

void bindStored(sqlite3_stmt* statement, int position, const QVariant& value) {
    row_scan::bind(statement, position, sql_binding::bindable(value));
}
} // namespace

BatchInsert::BatchInsert(TableStore& store, const QString& table, bool numbered)
    : store_(store)
    , definition_(definitionOf(store, table))
    , numbered_(numbered) {}

BatchInsert::~BatchInsert() {
    sqlite3_finalize(insert_);
    sqlite3_finalize(highest_);
}

std::optional<QString> BatchInsert::add(const QVariantList& values) {
    const auto& fields = definition_.fields;
    if (values.size() > fields.size())
        return QStringLiteral("Zu viele Werte für die Tabelle \"%1\".").arg(definition_.name);
    QVariantList stored;
    stored.reserve(fields.size());
    for (int i = 0; i < fields.size(); ++i) {
        if (i >= values.size()) {
            stored << field_values::emptyValue(fields[i]);
        } else {
            QString error;
            const auto value = field_values::toStored(fields[i], values[i], &error);
            if (!value)
                return error;
            stored << *value;
        }
    }
    rows_ << stored;
    return std::nullopt;
}

QString BatchInsert::lastError() const {
    return store_.describe(definition_.name,
                           row_scan::lastError(row_scan::handle(store_.database())));
}

bool BatchInsert::prepare(QString* error) {
    if (insert_)
        return true;
    if (!store_.open()) {
        *error =
            QStringLiteral("Die Datenbank \"%1\" ist nicht geöffnet.").arg(store_.databasePath());
        return false;
    }
    QStringList columns;
    for (const FieldDefinition& field : definition_.fields)
        columns << quoted(field.name);
    const QString insert = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                               .arg(quoted(definition_.name), columns.join(QLatin1String(", ")),
                                    sql_binding::placeholders(columns.size()));
    const QString highest =
        QStringLiteral("SELECT max(%1) FROM %2").arg(columns.first(), quoted(definition_.name));
    sqlite3* db = row_scan::handle(store_.database());
    if (sqlite3_prepare_v2(db, insert.toUtf8().constData(), -1, &insert_, nullptr) != SQLITE_OK ||
        sqlite3_prepare_v2(db, highest.toUtf8().constData(), -1, &highest_, nullptr) != SQLITE_OK) {
        *error = lastError();
        sqlite3_finalize(insert_);
        sqlite3_finalize(highest_);
        insert_ = highest_ = nullptr;
        return false;
    }
    return true;
}

BatchInsert::Attempt BatchInsert::attempt(Written& written) {
    if (const auto error = store_.beginWrite(definition_.name)) {
        written.error = *error;
        return Attempt::Failed;
    }
    qint64 number = 0;
    if (numbered_) {
        if (sqlite3_step(highest_) != SQLITE_ROW) {
            written.error = lastError();
            sqlite3_reset(highest_);
            store_.rollbackWrite();
            return Attempt::Failed;
        }
        number = sqlite3_column_int64(highest_, 0) + 1;
        sqlite3_reset(highest_);
    }
    written.firstNumber = number;
    for (const QVariantList& row : std::as_const(rows_)) {
        for (int i = 0; i < row.size(); ++i)
            bindStored(insert_, i + 1, i == 0 && numbered_ ? QVariant(number) : row[i]);
        const int result = sqlite3_step(insert_);
        sqlite3_reset(insert_);
        if (result != SQLITE_DONE) {
            const bool keyTaken = numbered_ && (result & 0xFF) == SQLITE_CONSTRAINT;
            written.error = lastError();
            store_.rollbackWrite();
            return keyTaken ? Attempt::KeyTaken : Attempt::Failed;
        }
        ++number;
    }
    if (const auto error = store_.commitWrite(definition_.name)) {
        written.error = *error;
        return Attempt::Failed;
    }
    written.rows = int(rows_.size());
    written.error.clear();
    return Attempt::Stored;
}

BatchInsert::Written BatchInsert::write() {
    Written written;
    if (rows_.isEmpty())
        return written;
    if (!prepare(&written.error))
        return written;
    for (int round = 0; round < kAttempts; ++round)
        if (attempt(written) != Attempt::KeyTaken)
            break;
    if (written.ok())
        rows_.clear();
    return written;
}
