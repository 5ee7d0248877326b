#pragma once

#include "BenchSupport.h"

// The archive's bulk steps and window, registered per archive size.
namespace bench {

// ztd --export against the sqlite3 tool's export of the same table.
void addExportBenchmarks(const Dataset& data);
// Protocol files and memory entries taken over through the window's code,
// against the same rows inserted in one transaction. An empty dataset
// (rows 0, no path) stands for an archive without rows.
void addImportBenchmarks(const Dataset& data);
// Opening the window, clearing a filter, the end of an import, a sort by
// "Hersteller" and clearing search marks, each against SQLite asked directly.
// An empty dataset: opening the window alone.
void addWindowBenchmarks(const Dataset& data);
// The first page of "Fällige Prüfungen", read and shown in its window,
// against the same rows and counts asked of SQLite directly.
void addDueBenchmarks(const Dataset& data);

} // namespace bench
