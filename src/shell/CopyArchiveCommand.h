#pragma once

#include <QString>

// ztd --copy-archive FROM TO: the whole archive and address book from one
// database to another; each is a data folder (its SQLite file) or a server's
// address postgresql://USER@HOST[:PORT]/NAME. Progress and the result go to
// standard error; non-zero when nothing or not all was copied and checked.
namespace copy_archive_command {
int run(const QString& from, const QString& to);
} // namespace copy_archive_command
