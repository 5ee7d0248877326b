#pragma once

#include "TableDefinition.h"

#include <QDate>
#include <QVariant>

#include <optional>

// Conversions between what a user or a window writes into a field and what
// the table stores (see TableDefinition).
namespace field_values {

// "1.1.11", "01.01.2011": day.month.year, a year of one or two digits means
// 20yy. Nothing for a date the calendar does not have.
std::optional<QDate> parseDate(const QString& text);
// "j", "ja", "n", "nein" and their leading parts, in any letter case.
std::optional<bool> parseYesNo(const QString& text);

QVariant emptyValue(const FieldDefinition& field);

// The stored value for a text; a text longer than the field is cut. On a
// text the field cannot take, nothing, and the German reason in error.
std::optional<QVariant> fromText(const FieldDefinition& field, const QString& text, QString* error);
// What a writer hands over (a text as typed, a date, a number or a boolean)
// as the field stores it; nothing, and the German reason, when it cannot.
std::optional<QVariant> toStored(const FieldDefinition& field, const QVariant& value,
                                 QString* error);
// Texts as they are, integers in decimal, booleans "ja"/"nein", dates dd.mm.yyyy.
QString toText(const FieldDefinition& field, const QVariant& stored);

QString dateToStored(const QDate& date);

} // namespace field_values
