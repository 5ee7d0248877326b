#include "RecordTransfer.h"

#include "common/Prompter.h"
#include "report/ProtocolFile.h"
#include "tables/CustomerTable.h"
#include "tables/FieldValues.h"
#include "tables/TableCursor.h"

namespace record_transfer {

namespace {

QString archiveUnit(const QString& unit) {
    if (unit == u"W")
        return QStringLiteral("Ohm");
    if (unit == u"MW")
        return QStringLiteral("MOhm");
    return unit;
}

QString yesNo(qint32 flag) {
    return flag == 1 ? QStringLiteral("ja") : QStringLiteral("nein");
}

// One measurement of the summary: name, separator, value and unit.
QString measurementPart(const QString& name, const QString& value, const QString& unit) {
    QString part = name.trimmed();
    part += value.contains(u'>') ? QStringLiteral(" ") : QStringLiteral(" = ");
    part += value;
    // A failed measurement has no number the unit could belong to.
    if (!value.startsWith(u'F'))
        part += u' ' + unit;
    return part;
}

} // namespace

bool isValidDateText(const QString& text) {
    if (text.size() < 6 || text.size() > 10)
        return false;
    // Two points, not among the last two characters (a year has at least two digits).
    const QStringView searched = QStringView(text).left(text.size() - 2);
    if (searched.count(u'.') != 2 || text.count(u'.') != 2)
        return false;
    const QStringList parts = text.split(u'.');
    for (const QString& part : parts)
        if (part.isEmpty() ||
            !std::all_of(part.begin(), part.end(), [](QChar c) { return c.isDigit(); }))
            return false;
    if (parts[0].toInt() > 31 || parts[1].toInt() > 12)
        return false;
    // Days the calendar does not have (31.02., 00) would be stored as nothing.
    return field_values::parseDate(text).has_value();
}

QString measurementSummary(const std::array<QString, 3>& names,
                           const std::array<QString, 3>& values,
                           const std::array<QString, 3>& units) {
    QString summary = measurementPart(names[0], values[0], units[0]);
    for (std::size_t i = 1; i < 3; ++i)
        if (names[i].size() > 5)
            summary += QStringLiteral("  ") + measurementPart(names[i], values[i], units[i]);
    return summary.trimmed();
}

RowValues convertImageToRow(const QByteArray& image, const DateCorrection& correctDate) {
    RowValues row;
    Protokoll& t = row.texts;
    t = protocol_file::parseProtocolImage(image);
    for (QString* unit : {&t.Einheit1, &t.Einheit2, &t.Einheit3})
        *unit = archiveUnit(*unit);
    row.Diff = t.Diff;
    row.Niso = t.Niso;
    row.Ordnung = t.Ordnung;
    row.Alles =
        measurementSummary({t.Messung1, t.Messung2, t.Messung3}, {t.Wert1, t.Wert2, t.Wert3},
                           {t.Einheit1, t.Einheit2, t.Einheit3});
    if (!isValidDateText(t.Termin))
        t.Termin = correctDate(t.Termin, DateKind::NextTest);
    if (!isValidDateText(t.Datum))
        t.Datum = correctDate(t.Datum, DateKind::TestDate);
    row.inspections = {yesNo(t.Besichtigung1), yesNo(t.Besichtigung2), yesNo(t.Besichtigung3)};
    row.statements = {yesNo(t.Satz1), yesNo(t.Satz2), yesNo(t.Satz3), yesNo(t.Satz4)};
    for (QString* text : {&t.AuftragNr,
                          &t.Kunde1,
                          &t.Kunde2,
                          &t.Kunde3,
                          &t.Nehmer1,
                          &t.Nehmer2,
                          &t.Nehmer3,
                          &t.Geraeteart,
                          &t.Hersteller,
                          &t.Typenbezeichnung,
                          &t.Schutzklasse,
                          &t.Nennstrom,
                          &t.Seriennummer,
                          &t.Nennspannung,
                          &t.Nennleistung,
                          &t.FehlerZeile1,
                          &t.FehlerZeile2,
                          &t.FehlerZeile3,
                          &t.RepArbeitenZeile1,
                          &t.RepArbeitenZeile2,
                          &t.RepArbeitenZeile3,
                          &t.Pruefung,
                          &t.Ort})
        *text = text->trimmed();
    return row;
}

qint64 matchCustomer(TableCursor& customers, Prompter& prompter, const QString& name,
                     const QString& street, const QString& town) {
    if (!customers.open() || !customers.setIndexName(QStringLiteral("Standard")))
        return 0;
    qint64 number = 0;
    if (customer_table::findByName(customers, name)) {
        number = customers.integer(QStringLiteral("Kundennummer"));
    } else {
        prompter.message(QStringLiteral("Der Auftraggeber ist bisher nicht in der "
                                        "Kunden-Datenbank enthalten. Die Angaben zu "
                                        "Auftraggeber,Straße und Ort werden jetzt übernommen."),
                         QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
        const qint64 next =
            customers.last() ? customers.integer(QStringLiteral("Kundennummer")) + 1 : 1;
        if (customers.insertRecord({next, name, street, town}))
            number = next;
    }
    customers.close();
    return number;
}

QVariantList newRowFields(const RowValues& row, qint64 customerNumber, const QString& origin) {
    const Protokoll& t = row.texts;
    QVariantList fields{0,
                        t.AuftragNr,
                        t.Kunde1,
                        t.Geraeteart,
                        t.Hersteller,
                        t.Typenbezeichnung,
                        t.Schutzklasse,
                        t.Nennstrom,
                        t.Seriennummer,
                        t.Nennspannung,
                        t.Nennleistung,
                        t.FehlerZeile1,
                        t.FehlerZeile2,
                        t.FehlerZeile3,
                        t.RepArbeitenZeile1,
                        t.RepArbeitenZeile2,
                        t.RepArbeitenZeile3,
                        t.Pruefung};
    for (const QString& flag : row.inspections)
        fields << flag;
    fields << t.Messung1 << t.Messung2 << t.Messung3 << t.Einheit1 << t.Einheit2 << t.Einheit3
           << t.Wert1 << t.Wert2 << t.Wert3;
    for (const QString& flag : row.statements)
        fields << flag;
    fields << t.Termin << t.Ort << t.Datum << row.Alles << origin << false << customerNumber
           << row.Ordnung << (row.Diff != 0) << (row.Niso != 0);
    return fields;
}

} // namespace record_transfer
