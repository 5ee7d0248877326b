#pragma once

#include "archive/RowAddresses.h"
#include "common/Prompter.h"

#include <QByteArray>
#include <QString>

#include <optional>

class Progress;
class QIODevice;
class TableCursor;

// Archive rows as a "§"-separated Windows-1252 text table for other programs:
// a header line, then one line of 45 fields per row, each field followed by
// "§", lines ended by CR LF.
namespace text_export {

inline constexpr int kColumns = 45;

QString headerLine();

struct ViewWritten {
    qint64 rows = 0;
    bool stopped = false;           // the user stopped it
    bool customerMissing = false;   // a row names a customer number the table lacks
    bool contractorMissing = false; // there is no contractor row
    QString error;                  // German: reading or writing failed
};
// The header and the lines of every row the view shows (its filter and
// order), or of the one row given, written as they are read from the table;
// the view's cursor does not move. Nothing at all when no row is shown.
ViewWritten writeView(const TableCursor& view, std::optional<qint64> onlyRow, QIODevice& file,
                      Progress& progress);

enum class Scope { CurrentRow, AllRows };

inline const Prompter::FileDialog kSaveDialog{QStringLiteral("Speichern unter"),
                                              QStringLiteral("txt-Dateien|*.txt"),
                                              QStringLiteral("txt"),
                                              {},
                                              true};

// Asks for the file (proposed in the folder of savePath, which then holds
// the chosen one) and writes the current row, or every row the archive
// view shows in its order (with a progress window that can stop it, leaving
// no file). The cursor stays where it stood. False when nothing was written
// (the user was told why).
bool exportRows(QString& savePath, Prompter& prompter, TableCursor& archive, TableCursor& customers,
                Scope scope);

} // namespace text_export
