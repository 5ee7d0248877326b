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

// The automatic backup at start with its rotation, in two steps: the database
// is pinned as it stands before anything is written, and written out later,
// on another thread if need be.
class StartCopy {
public:
    // Nothing when there is nothing to keep or nothing will be written. A
    // damaged database is kept beside itself and, if the user agrees, replaced
    // by the newest automatic backup.
    static std::optional<StartCopy> pin(Prompter& prompter, const QString& dataFolder,
                                        const QDateTime& now);

    // Whether the program can write while the copy is being written.
    bool writersGoOn() const { return snapshot_.writersGoOn(); }

    // Writes, checks and rotates; the German text for the user when it fails.
    std::optional<QString> finish();

private:
    StartCopy(database_copy::Snapshot snapshot, const QString& backups, const QDateTime& now);

    database_copy::Snapshot snapshot_;
    QString backups_;
    QDateTime now_;
};

// Both steps of the automatic backup at once.
void atStart(Prompter& prompter, const QString& dataFolder, const QDateTime& now);

// An error box with the German `text`.
void showError(Prompter& prompter, const QString& text);

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
