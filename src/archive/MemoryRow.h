#pragma once

#include <QByteArray>
#include <QDate>
#include <QVariantList>

// An entry of the tester's measurement memory as an archive row: measurement
// data only, no order, customer, device or dates.
namespace memory_row {

// The 44 values of the new row (the number is filled in when it is stored).
QVariantList rowFields(const QByteArray& entry, const QDate& today);

// Whether the entry was measured without insulation test / by the
// differential-current method.
bool noInsulation(const QByteArray& entry);
bool differential(const QByteArray& entry);

} // namespace memory_row
