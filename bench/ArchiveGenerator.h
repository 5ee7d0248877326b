#pragma once

#include <QString>
#include <QStringList>

// Builds an archive database for the benchmarks: the given number of archive
// rows spread over 2 000 customers with German names, dates 2000-2030,
// indexes "Standard" on both tables. Kept between runs.
namespace archive_generator {

QStringList customerNames();
// The database file for that many rows in the folder, made when missing.
QString ensureDatabase(const QString& folder, int rows);

} // namespace archive_generator
