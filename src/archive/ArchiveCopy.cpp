#include "ArchiveCopy.h"

#include "common/Progress.h"
#include "common/Prompter.h"
#include "tables/RowStream.h"
#include "tables/SqlBinding.h"
#include "tables/SqlStatement.h"
#include "tables/TableStore.h"

#include <QCryptographicHash>
#include <QSqlError>

namespace archive_copy {
namespace {
constexpr int kRowsPerTransaction = 5000;

const QString kCustomers = QStringLiteral("kunden");
const QString kArchive = QStringLiteral("zt");

QString columnList(const TableDefinition& table) {
    QStringList columns;
    for (const FieldDefinition& field : table.fields)
        columns << quoted(field.name);
    return columns.join(QLatin1String(", "));
}

// Rows in the order both sides keep: by number in the archive, by their
// place in the address book (its row ids differ between the two).
QString readSql(const TableDefinition& table) {
    return QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
        .arg(columnList(table), quoted(table.name));
}

// Every value as the engine holds it, NULL apart from "".
void addRow(QCryptographicHash& hash, const RowStream& row, int columns) {
    for (int i = 0; i < columns; ++i) {
        if (row.isNull(i)) {
            hash.addData(QByteArrayView("\x1e", 1));
        } else {
            hash.addData(row.text(i));
            hash.addData(QByteArrayView("\x1f", 1));
        }
    }
    hash.addData(QByteArrayView("\n", 1));
}

qint64 count(TableStore& store, const QString& table, QString* error) {
    RowStream rows(store, QStringLiteral("SELECT count(*) FROM %1").arg(quoted(table)));
    if (!rows.next()) {
        *error = rows.error();
        return -1;
    }
    return rows.integer(0);
}

// The values of the row as stored, for binding them unchanged.
QVariant storedValue(const RowStream& row, int column, FieldType type) {
    if (row.isNull(column))
        return QVariant();
    if (type == FieldType::Integer || type == FieldType::Boolean)
        return QVariant(row.integer(column));
    const QByteArrayView bytes = row.text(column);
    return QVariant(QString::fromUtf8(bytes.data(), bytes.size()));
}

class TableCopy {
public:
    TableCopy(TableStore& from, TableStore& to, const TableDefinition& table,
              QCryptographicHash& hash)
        : from_(from)
        , to_(to)
        , table_(table)
        , hash_(hash) {}

    // Rows copied, or -1 with the reason in error.
    qint64 run(Progress& progress, qint64 doneBefore, QString* error) {
        QSqlError failure;
        const auto insert = to_.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                            .arg(quoted(table_.name), columnList(table_),
                                                 sql_binding::placeholders(table_.fields.size())),
                                        &failure);
        if (!insert) {
            *error = to_.describe(table_.name, failure);
            return -1;
        }
        RowStream rows(from_, readSql(table_));
        qint64 copied = 0;
        bool open = false;
        while (rows.next()) {
            if (!open) {
                if (const auto reason = to_.beginWrite(table_.name)) {
                    *error = *reason;
                    return -1;
                }
                open = true;
            }
            addRow(hash_, rows, int(table_.fields.size()));
            for (int i = 0; i < table_.fields.size(); ++i)
                insert->bind(i + 1, storedValue(rows, i, table_.fields[i].type));
            insert->step();
            insert->reset();
            if (insert->error().isValid()) {
                *error = to_.describe(table_.name, insert->error());
                to_.rollbackWrite();
                return -1;
            }
            if (++copied % kRowsPerTransaction == 0) {
                open = false;
                if (const auto reason = to_.commitWrite(table_.name)) {
                    *error = *reason;
                    return -1;
                }
                if (!progress.update(doneBefore + copied)) {
                    *error = QStringLiteral("Abgebrochen.");
                    return -1;
                }
            }
        }
        if (!rows.error().isEmpty()) {
            *error = rows.error();
            if (open)
                to_.rollbackWrite();
            return -1;
        }
        if (open) {
            if (const auto reason = to_.commitWrite(table_.name)) {
                *error = *reason;
                return -1;
            }
        }
        return copied;
    }

    // The named indexes, so that the program's orders are there too.
    bool copyIndexes(QString* error) {
        for (const QString& name : from_.indexNames(table_.name)) {
            const auto terms = from_.indexTerms(table_.name, name);
            if (!terms)
                continue;
            QStringList fields;
            bool exact = false;
            for (const IndexTerm& term : *terms) {
                fields << table_.fields[term.field].name;
                exact = exact || term.exact;
            }
            if (!to_.addIndex(table_.name, name, fields.join(QLatin1Char(';')), !exact)) {
                *error = QStringLiteral("Der Index \"%1\" der Tabelle \"%2\" lässt sich im Ziel "
                                        "nicht anlegen.")
                             .arg(name, table_.name);
                return false;
            }
        }
        return true;
    }

private:
    TableStore& from_;
    TableStore& to_;
    const TableDefinition& table_;
    QCryptographicHash& hash_;
};

// Both tables read again in the same order, for the checksum.
QByteArray checksumOf(TableStore& store, QString* error) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const TableDefinition* table : {&customerTableDefinition(), &archiveTableDefinition()}) {
        RowStream rows(store, readSql(*table));
        while (rows.next())
            addRow(hash, rows, int(table->fields.size()));
        if (!rows.error().isEmpty()) {
            *error = rows.error();
            return {};
        }
    }
    return hash.result().toHex();
}
} // namespace

Outcome copy(TableStore& from, TableStore& to, Prompter& prompter) {
    Outcome outcome;
    if (!from.open() || !to.open()) {
        outcome.error = QStringLiteral("Die Datenbanken lassen sich nicht öffnen.");
        return outcome;
    }
    QString& error = outcome.error;
    const qint64 targetRows = count(to, kArchive, &error) + count(to, kCustomers, &error);
    if (!error.isEmpty())
        return outcome;
    if (targetRows > 0) {
        error = QStringLiteral("Das Ziel \"%1\" enthält schon Datensätze: Kopiert wird nur in "
                               "ein leeres Archiv.")
                    .arg(to.databasePath());
        return outcome;
    }
    const qint64 customers = count(from, kCustomers, &error);
    const qint64 archiveRows = count(from, kArchive, &error);
    if (!error.isEmpty())
        return outcome;

    const auto progress =
        prompter.progress({QStringLiteral("Archiv kopieren"), QStringLiteral("Kopieren"),
                           QStringLiteral("Datensätzen"), customers + archiveRows, true});
    QCryptographicHash hash(QCryptographicHash::Sha256);
    TableCopy customerCopy(from, to, customerTableDefinition(), hash);
    TableCopy archiveCopy(from, to, archiveTableDefinition(), hash);
    outcome.customers = customerCopy.run(*progress, 0, &error);
    if (!error.isEmpty())
        return outcome;
    outcome.archiveRows = archiveCopy.run(*progress, outcome.customers, &error);
    if (!error.isEmpty() || !customerCopy.copyIndexes(&error) || !archiveCopy.copyIndexes(&error))
        return outcome;
    progress->update(customers + archiveRows);

    outcome.checksum = hash.result().toHex();
    const qint64 copiedCustomers = count(to, kCustomers, &error);
    const qint64 copiedRows = count(to, kArchive, &error);
    const QByteArray copiedChecksum = checksumOf(to, &error);
    if (!error.isEmpty())
        return outcome;
    if (copiedCustomers != customers || copiedRows != archiveRows ||
        copiedChecksum != outcome.checksum)
        error = QStringLiteral("Die Kopie stimmt nicht mit dem Original überein (%1 statt %2 "
                               "Archiv-Datensätze, %3 statt %4 Kunden, Prüfsumme %5).")
                    .arg(copiedRows)
                    .arg(archiveRows)
                    .arg(copiedCustomers)
                    .arg(customers)
                    .arg(copiedChecksum == outcome.checksum ? QStringLiteral("gleich")
                                                            : QStringLiteral("verschieden"));
    return outcome;
}

QString report(const Outcome& outcome, const QString& from, const QString& to) {
    if (!outcome.ok() && outcome.customers + outcome.archiveRows > 0)
        return QStringLiteral("Nicht vollständig kopiert: %1 Das Ziel \"%2\" enthält, was bis "
                              "dahin kopiert war; für einen neuen Versuch muss es leer sein.")
            .arg(outcome.error, to);
    if (!outcome.ok())
        return QStringLiteral("Nicht kopiert: %1").arg(outcome.error);
    return QStringLiteral("Kopiert und geprüft: %1 Archiv-Datensätze und %2 Kunden von \"%3\" "
                          "nach \"%4\" (Prüfsumme SHA-256 %5).")
        .arg(groupedNumber(outcome.archiveRows), groupedNumber(outcome.customers), from, to,
             QString::fromLatin1(outcome.checksum));
}

} // namespace archive_copy
