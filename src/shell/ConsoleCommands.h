#pragma once

#include "tables/DatabaseLocation.h"

#include <QString>
#include <QStringList>

// The archive's bulk steps from the command line, without a window: the
// same code as the archive window's menu items, its messages on standard
// error. Each returns the program's exit code.
namespace console_commands {

// ztd --export: every archive row in number order, as "Daten-Export"
// "komplett" writes it without filter and sort.
int exportArchive(const DatabaseLocation& database, const QString& textFile);

// ztd --import: the files as "aus Dateien" takes them. New customers and
// left-out files are named; non-zero when a file was left out.
int importFiles(const DatabaseLocation& database, const QStringList& files);

// ztd --import-paradox: the older program's tables "zt.DB" and "kunden.DB"
// of the folder; what they bring is printed on standard output first.
int importLegacyTables(const DatabaseLocation& database, const QString& folder);

} // namespace console_commands
