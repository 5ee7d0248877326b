#pragma once

#include "report/ArchiveMeasurements.h"

#include <QDate>
#include <QString>
#include <QVariantList>

#include <array>

struct Protokoll;
struct ReportState;

// A remote measurement taken into the archive without a report: the values,
// names and units of the test, the verdict and a summary, and the date in
// place of a file name. Everything about device and customer stays empty.
namespace remote_archive_row {

using archive_measurements::Measurements;
using archive_measurements::measurements;

// "Isolationswiderstand  >20.0 MOhm  F": each measurement with its value and
// unit, the insulation flag last.
QString summaryText(const Measurements& measurements, const std::array<QString, 3>& values,
                    int niso);
// "Messung am   8.3.2011": the numbers without leading zeros.
QString dateText(const QDate& date);
// Writes the measurement into the current record and empties its order,
// first customer line, device, fault and repair lines.
void writeIntoRecord(Protokoll& record, const ReportState& report);
// The 44 values of the archive row (Zaehler 0, given when it is stored) from
// a record written by writeIntoRecord.
QVariantList rowValues(const Protokoll& record, const QDate& date);

} // namespace remote_archive_row
