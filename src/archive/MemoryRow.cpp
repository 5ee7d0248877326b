#include "MemoryRow.h"

#include "RecordTransfer.h"

#include <array>

namespace memory_row {

namespace {

struct Layout {
    std::array<QString, 3> names;
    std::array<QString, 3> units;
};

Layout layoutOf(const QString& cls, QChar kind, bool niso, bool diff) {
    const QString current =
        diff ? QStringLiteral("Differenzstrom") : QStringLiteral("Schutzleiterstrom");
    const QString pe = QStringLiteral("Schutzleiterwiderstand");
    const QString iso = QStringLiteral("Isolationswiderstand");
    const QString touch = QStringLiteral("Berührungsstrom");
    if (cls == u"1 " || cls == u"1e") {
        if (niso)
            return {{pe, current, QStringLiteral(" ")},
                    {QStringLiteral("Ohm"), QStringLiteral("mA"), QStringLiteral(" ")}};
        if (kind == u'1')
            return {{pe, iso, QStringLiteral("Ersatzableitstrom")},
                    {QStringLiteral("Ohm"), QStringLiteral("MOhm"), QStringLiteral("mA")}};
        return {{iso, pe, current},
                {QStringLiteral("MOhm"), QStringLiteral("Ohm"), QStringLiteral("mA")}};
    }
    if (cls == u"2 ") {
        if (niso)
            return {{touch, {}, {}}, {QStringLiteral("mA"), {}, {}}};
        return {{iso, kind == u'1' ? QStringLiteral("Ersatzableitstrom") : touch, {}},
                {QStringLiteral("MOhm"), QStringLiteral("mA"), {}}};
    }
    if (cls == u"3 ")
        return {{iso, {}, {}}, {QStringLiteral("MOhm"), {}, {}}};
    return {};
}

} // namespace

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
    const Layout layout = layoutOf(cls, kind, noInsulation(bytes), differential(bytes));
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
           << record_transfer::measurementSummary(layout.names, values, layout.units, false)
           << origin << false << QVariant()
           << (entry.at(23) == u'O' ? QStringLiteral("j") : QStringLiteral("n"))
           << differential(bytes) << noInsulation(bytes);
    return fields;
}

} // namespace memory_row
