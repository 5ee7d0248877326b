#include "BatchInsert.h"

#include "FieldValues.h"
#include "SqlBinding.h"
#include "SqlStatement.h"
#include "TableStore.h"

namespace {
// Another writer that took a number meanwhile is outrun by reading the
// numbers again; a key that still clashes after that is a real fault.
constexpr int kAttempts = 3;

const TableDefinition& definitionOf(TableStore& store, const QString& table) {
    const TableDefinition* definition = store.definition(table);
    Q_ASSERT(definition);
    return *definition;
}

} // namespace

BatchInsert::BatchInsert(TableStore& store, const QString& table, bool numbered)
    : store_(store)
    , definition_(definitionOf(store, table))
    , numbered_(numbered) {}

BatchInsert::~BatchInsert() = default;

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

QString BatchInsert::describe(const SqlStatement& statement) const {
    return store_.describe(definition_.name, statement.error());
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
    QSqlError failure;
    insert_ = store_.prepare(insert, &failure);
    highest_ = insert_ ? store_.prepare(highest, &failure) : nullptr;
    if (!highest_) {
        *error = store_.describe(definition_.name, failure);
        insert_.reset();
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
        if (!highest_->step()) {
            written.error = describe(*highest_);
            store_.rollbackWrite();
            return Attempt::Failed;
        }
        number = highest_->integer(0) + 1;
        highest_->reset();
    }
    written.firstNumber = number;
    for (const QVariantList& row : std::as_const(rows_)) {
        for (int i = 0; i < row.size(); ++i)
            insert_->bind(i + 1,
                          sql_binding::bindable(i == 0 && numbered_ ? QVariant(number) : row[i]));
        insert_->step();
        insert_->reset();
        if (insert_->error().isValid()) {
            const bool keyTaken = numbered_ && store_.isKeyViolation(insert_->error());
            written.error = describe(*insert_);
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
