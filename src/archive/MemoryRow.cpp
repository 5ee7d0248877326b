#include "MemoryRow.h"

#include "report/ArchiveMeasurements.h"
#include "report/Vocabulary.h"

#include <array>

namespace memory_row {

bool noInsulation(const QByteArray& entry) {
    return entry.size() > 22 && entry[22] == 'T';
}

bool differential(const QByteArray& entry) {
    return entry.size() > 24 && entry[24] == 'D';
}

QVariantList rowFields(const QByteArray& bytes, const QDate& today) {
    const QString entry = QString::fromLatin1(bytes.leftJustified(32, ' '));
    const QString cls = entry.mid(4, 2);
    const QChar kind = entry.at(6);
    const std::array<QString, 3> values{entry.mid(7, 5), entry.mid(12, 5), entry.mid(17, 5)};
    // Memory rows keep a blank after the class ("1 "); unknown classes get no names.
    const auto layout = archive_measurements::measurements(
        kind == u'1' ? 1 : 2, vocabulary::classCode(cls).value_or(0), noInsulation(bytes),
        differential(bytes));
    const QString pruefung = QStringLiteral("DIN VDE 0701-0702(%1)").arg(kind);
    const QString origin = QStringLiteral("MW-Speicher Nr.%1   %2.%3.%4")
                               .arg(entry.left(4))
                               .arg(today.day())
                               .arg(today.month())
                               .arg(today.year());
    QVariantList fields{0};
    for (int i = 0; i < 10; ++i) // order, customer, device, class, rating, serial number
        fields << QString();
    fields.replace(6, cls);
    for (int i = 0; i < 6; ++i) // fault and repair lines
        fields << QString();
    fields << pruefung;
    for (int i = 0; i < 3; ++i)
        fields << QStringLiteral("nein");
    for (const QString& name : layout.names)
        fields << name;
    for (const QString& unit : layout.units)
        fields << unit;
    for (const QString& value : values)
        fields << value;
    for (int i = 0; i < 4; ++i)
        fields << QStringLiteral("nein");
    fields << QString() << QString() << QString() // Termin, Ort, Datum
           << archive_measurements::summary(layout.names, values, layout.units, false) << origin
           << false << QVariant()
           << (entry.at(23) == u'O' ? QStringLiteral("j") : QStringLiteral("n"))
           << differential(bytes) << noInsulation(bytes);
    return fields;
}

} // namespace memory_row
