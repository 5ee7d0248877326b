#pragma once

#include "report/DateQuestion.h"

#include "report/Protokoll.h"

#include <QString>
#include <QVariantList>

#include <array>
#include <functional>
#include <optional>

class TableCursor;
class TableStore;

// Moving reports between protocol files, the current record and archive rows.
namespace record_transfer {

// The texts from which an archive row is written: units as the archive keeps
// them ("Ohm", "MOhm"), flags as "ja"/"nein", dates as day.month.year texts.
struct RowValues {
    Protokoll texts; // the record's texts; flags and Diff/Niso below
    std::array<QString, 3> inspections;
    std::array<QString, 4> statements;
    QString Alles;
    QString Ordnung;
    quint8 Diff = 0;
    quint8 Niso = 0;
};

using ::DateKind;
// Asks the user for a valid date in place of the text; returns what was typed.
using DateCorrection = std::function<QString(const QString& rejected, DateKind kind)>;

// day.month.year with one or two digit days and months, at most 31 and 12,
// that the calendar has; a two-digit year means 20yy.
bool isValidDateText(const QString& text);

// A protocol-file image as archive texts; impossible dates are corrected by the user.
RowValues convertImageToRow(const QByteArray& image, const DateCorrection& correctDate);

// The customer of a row: the first one of exactly this name as the table
// keeps it (cut to the field's length, letter case counting), else a new one
// numbered after the highest; both under one write lock, so that another
// program adding the same customer meanwhile is found. An empty name is never
// matched nor added. Nothing is shown to the user.
struct CustomerMatch {
    std::optional<qint64> number;
    bool added = false;
    QString failure; // German; the table could not be used
};
CustomerMatch matchCustomer(TableStore& store, const QString& name, const QString& street,
                            const QString& town);
// The name as the customer table keeps it.
QString storedCustomerName(const QString& name);

inline constexpr const char* kNewCustomerNotice =
    "Der Auftraggeber ist bisher nicht in der Kunden-Datenbank enthalten. Die Angaben zu "
    "Auftraggeber,Straße und Ort werden jetzt übernommen.";

// The archive row the cursor stands on as a record: every member the row
// keeps, units back in the file's letters ("W", "MW"). The address lines the
// row does not keep are left alone.
void rowToRecord(const TableCursor& archive, Protokoll& record);

// The class code of the row's Schutzklasse text; the test kind and wording
// (oldNorm) of its Pruefung text.
struct RowTest {
    std::optional<int> protectionClass;
    int testKind = 1;
    int oldNorm = 0;
};
RowTest rowTest(const TableCursor& archive);

// The 44 values of a new archive row in field order.
// No customer number (an invalid value) stores none.
QVariantList newRowFields(const RowValues& row, const QVariant& customerNumber,
                          const QString& origin);

} // namespace record_transfer
