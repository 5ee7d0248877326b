#pragma once

#include <QList>
#include <QString>

enum class FieldType { Text, Integer, Boolean, Date };

struct FieldDefinition {
    QString name;
    FieldType type;
    // Characters a text field holds; 0 for the other types.
    int size = 0;
    // An empty number is stored as no value at all (NULL), not as 0.
    bool nullable = false;
};

// The layout of one table. Texts are stored as they are, integers and
// booleans as integers, dates as ISO text ("2011-12-31"); an empty field is
// "" or 0, and NULL only in a nullable number (sorted before every number).
struct TableDefinition {
    QString name;
    QList<FieldDefinition> fields;
    // The first field is the unique key of the rows (and SQLite's rowid).
    bool firstFieldIsKey = false;
    // Indexes of our own that keep lookups fast; not listed among the named indexes.
    QStringList helperIndexFields;
    // Flags set on few rows: indexed over those rows alone, so clearing them
    // touches only the rows that carry them.
    QStringList rareFlagFields;
    // Run once when a table stored before its numbers could be empty learns so.
    QString emptyNumbersMend;
    // Indexes of our own over several fields, named by their fields joined with "+".
    QList<QStringList> compoundIndexFields;

    // Position of a field, found regardless of letter case; -1 if none.
    int indexOf(const QString& fieldName) const;
    QString createSql() const;
    // The definition as it was stored before numbers could be empty, and as
    // it is now: "CREATE TABLE ..." as the engine keeps it.
    QString storedSqlBeforeNullable() const;
    QString storedSql() const;
    // What orders rows equal in an index: the key. SQLite ends every index
    // with it unasked; a server's index has to name it.
    QString tieBreakSql() const;
    // onServer: empty numbers first said for each nullable field (the server
    // would put them last), and each index ends with the tie-break.
    QStringList helperIndexSql(bool onServer = false) const;
    QStringList helperIndexNames() const;
};

// "zt": the archive, one row per tested device.
const TableDefinition& archiveTableDefinition();
// "kunden": the customers; number 0 is the contractor.
const TableDefinition& customerTableDefinition();

// The SQL spelling of a name.
QString quoted(const QString& identifier);
