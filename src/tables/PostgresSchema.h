#pragma once

#include <QStringList>

struct TableDefinition;

// The tables on a PostgreSQL server, laid out so that the same statements run
// on both engines: a "rowid" column (the key itself where the first field is
// the key), texts in the German collation "ztd_de", dates compared byte by byte,
// and a change counter every write statement moves.
namespace postgres_schema {
inline constexpr const char* kGermanCollation = "ztd_de";
inline constexpr const char* kExactCollation = " COLLATE \"C\"";
inline constexpr const char* kChangeCounter = "ztd_changes";

// Every statement that sets up what is missing, in order.
QStringList setUpSql();
// One row per name of every object setUpSql() makes.
QString presentObjectsSql();
QStringList requiredObjects();

// The named indexes of table "?" whose names start with "?" (of length ?),
// in the order they were made.
QString indexNamesSql();
// Field and collation of each part of the index named "?", in order.
QString indexTermsSql();
} // namespace postgres_schema
