#pragma once

#include "DatabaseCopy.h"

#include <QDateTime>
#include <QString>

class Prompter;

// Backup and restore as the user meets them: in the file menu, at start and
// on the command line. Every message is German and goes through the prompter.
namespace backup_steps {

// "Datensicherung…": a copy in a file the user chooses, checked in full.
void backUp(Prompter& prompter, const QString& databasePath, const QDateTime& now);

// "Datensicherung zurückladen…": true when the database was replaced by the
// chosen backup, after the user agreed and the current data were kept.
bool restore(Prompter& prompter, const QString& databasePath, const QDateTime& now);

// At start, before anything is written: an automatic backup with rotation.
// A damaged database is kept beside itself and, if the user agrees, replaced
// by the newest automatic backup.
void atStart(Prompter& prompter, const QString& dataFolder, const QDateTime& now);

struct Restored {
    std::optional<QString> error;
    // Where the data before the restore were kept; empty when there were none.
    QString keptAs;
};
// Keeps the current database in the backups folder, then replaces it by
// `backup`, which has passed database_copy::inspect(): what the menu and the
// command line share.
Restored replaceFromBackup(const QString& backup, const QString& databasePath,
                           const QDateTime& now);

// Why `file` is not restored: the reason from database_copy::inspect().
QString refusal(const QString& file, const QString& reason);

} // namespace backup_steps
