#pragma once

#include <QString>

struct sqlite3;
class QSqlDatabase;

// Text columns sort and compare with this collation: letters fold to their
// lower-case base letter (ä→a, ß→ss), so "Müller", "müller" and "Muller"
// sort together and compare equal. Every connection must register it before
// it touches a table that uses it.
namespace german_collation {

inline constexpr const char* kName = "DE";

// Negative, zero or positive like strcmp; both texts UTF-8.
int compareUtf8(const char* a, int lengthA, const char* b, int lengthB);
int compare(const QString& a, const QString& b);

bool registerOn(sqlite3* handle);
bool registerOn(const QSqlDatabase& database);

// A text that compares greater than every text starting with the prefix;
// "column >= prefix AND column < upperBound(prefix)" selects the prefix range.
QString upperBound(const QString& prefix);

} // namespace german_collation
