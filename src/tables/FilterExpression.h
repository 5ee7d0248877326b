#pragma once

#include "TableDefinition.h"

#include <QString>
#include <QVariantList>

// The filter texts the program writes, such as
//   Auftraggeber='Meier' AND Termin<= 31.12.2011
// conditions "field operator value" joined by AND / OR (AND binds closer),
// operators = < > <> >= <=, values in apostrophes or bare, blanks optional.
// Inside apostrophes a doubled apostrophe stands for one, so any value can be
// written literally; a lone apostrophe ends the value only where the text
// ends or AND / OR follows, so a name such as O'Brien may also stand inside.
// The result is SQL with placeholders; the values are only ever bound.
struct CompiledFilter {
    // Empty when the text holds no condition (every row passes).
    QString sql;
    QVariantList values;
    // The German reason when the text is not a valid filter.
    QString error;

    bool ok() const { return error.isEmpty(); }
};

CompiledFilter compileFilter(const QString& text, const TableDefinition& table);
