#pragma once

#include "common/Prompter.h"

#include <QByteArray>
#include <QString>

struct AppState;
class TableCursor;

// Archive rows as a "§"-separated Windows-1252 text table for other programs:
// a header line, then one line of 45 fields per row, each field followed by
// "§", lines ended by CR LF.
namespace text_export {

inline constexpr int kColumns = 45;

// The addresses a line carries beside the row's own fields.
struct Addresses {
    QString customerStreet;
    QString customerPlace;
    QString contractorName;
    QString contractorStreet;
    QString contractorPlace;
};

QString headerLine();
// The row the archive cursor stands on.
QString rowLine(const TableCursor& archive, const Addresses& addresses);
// The customer's and the contractor's address; a missing one is told and left empty.
Addresses lookUpAddresses(TableCursor& customers, Prompter& prompter, qint64 customerNumber);

enum class Scope { CurrentRow, AllRows };

inline const Prompter::FileDialog kSaveDialog{QStringLiteral("Speichern unter"),
                                              QStringLiteral("txt-Dateien|*.txt"),
                                              QStringLiteral("txt"),
                                              {},
                                              true};

// Asks for the file and writes the current row, or every row the archive
// view shows in its order. The cursor is left on the row it stood on. False
// when nothing was written (the user was told why).
bool exportRows(AppState& state, Prompter& prompter, TableCursor& archive, TableCursor& customers,
                Scope scope);

} // namespace text_export
