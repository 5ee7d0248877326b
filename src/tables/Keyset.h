#pragma once

#include "TableCursor.h"

#include <QString>
#include <QVariantList>

// Where a row stands in an order: the condition that selects the rows after
// a key, from it on, or before it. A NULL in a nullable term counts as lower
// than every number, as the engine sorts it. Without nullable terms this is
// one row-value comparison, which an index on the order seeks.
struct KeysetCondition {
    QString sql;
    QVariantList values;
};

enum class KeyComparison { After, FromOn, Before };

KeysetCondition keysetCondition(const QList<TableCursor::OrderTerm>& terms, const QVariantList& key,
                                KeyComparison comparison);
