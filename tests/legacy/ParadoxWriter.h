#pragma once

#include "tables/TableDefinition.h"

#include <QList>
#include <QString>
#include <QVariantList>

// Paradox tables written with pxlib's own writer, as fixtures for the import.
namespace paradox_writer {

enum class Kind { Alpha, Date, Short, Long, Logical };

struct Column {
    QString name;
    Kind kind;
    int size = 0; // characters of an alpha field
};

// The columns of one of the program's tables, as the older program's table has them.
QList<Column> columnsOf(const TableDefinition& definition);

// Rows of values by column: QString (stored as Windows-1252, cut to the field), QDate,
// an integer, bool, or an invalid QVariant for an empty field. False when pxlib fails.
bool write(const QString& path, const QList<Column>& columns, const QList<QVariantList>& rows);

} // namespace paradox_writer
