#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class PrintTarget;
class TableCursor;
class TableStore;

// Test labels for the tested devices: what was tested, when, with what
// result, when it is next due, and a QR code leading back to the archive row.
namespace test_labels {

struct Label {
    qint64 number = 0;
    QString Geraeteart;
    QString Hersteller;
    QString Seriennummer;
    // Test date and next test as the archive shows them, TT.MM.JJJJ or empty.
    QString Datum;
    QString Termin;
    bool passed = false;
    // Who tested: the contractor, as the reports name it.
    QString contractor;
};

// The two layouts: an A4 sheet of 3 columns and 8 rows of 70 × 37 mm
// labels, counted from 1 left to right, top to bottom; or single 50 × 30 mm
// labels of a label printer, each on a page of its size.
enum class Format { Sheet, Single };
constexpr int kColumns = 3;
constexpr int kRows = 8;
constexpr int kPerSheet = kColumns * kRows;

// The contractor's name (customer number 0); empty when there is none.
QString contractorName(TableStore& store);
// The archive fields a label shows, in the order labelFrom takes their texts.
const QStringList& labelFields();
Label labelFrom(const QStringList& texts, const QString& contractor);
// The label of the archive's current row.
Label labelOf(const TableCursor& archive, const QString& contractor);

// What the QR code says, plain ASCII: "ZTD <number> <next test>".
QByteArray payload(const Label& label);

// The labels on sheets, the first at `startPosition` (1 to kPerSheet) so a
// half-used sheet is used up; each sheet one job of the target. A sheet that
// could not be printed is told.
void drawSheets(PrintTarget& target, const QList<Label>& labels, int startPosition,
                const std::function<void(const QString&)>& tell);
int sheetCount(int labels, int startPosition);
// Each label one job on its own 50 × 30 mm page.
void drawSingles(PrintTarget& target, const QList<Label>& labels,
                 const std::function<void(const QString&)>& tell);
// Either layout; the start position counts on a sheet only.
void drawLabels(PrintTarget& target, const QList<Label>& labels, Format format, int startPosition,
                const std::function<void(const QString&)>& tell);

// The PDF file name proposed: "Prüfplaketten" and the first number.
QString pdfName(const QList<Label>& labels);

} // namespace test_labels
