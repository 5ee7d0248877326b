#pragma once

#include <QString>

// ztd --backup and --restore: the file menu's backup steps without a window
// and without questions, their messages on standard error. Each returns the
// program's exit code.
namespace console_commands {

// A checked backup of the data folder's database, written to `target`.
int backupArchive(const QString& dataDirectory, const QString& target);

// The data folder's database replaced by the backup, once it is checked and
// the current data are kept; refused while a program has the folder open.
int restoreArchive(const QString& dataDirectory, const QString& backup);

} // namespace console_commands
