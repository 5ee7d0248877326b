#include "RecordTransfer.h"

#include "addresses/CustomerTable.h"
#include "report/ArchiveMeasurements.h"
#include "report/ProtocolFile.h"
#include "report/Vocabulary.h"
#include "tables/FieldValues.h"
#include "tables/SqlBinding.h"
#include "tables/TableCursor.h"
#include "tables/TableDefinition.h"
#include "tables/TableStore.h"

#include <QSqlError>
#include <QSqlQuery>

namespace record_transfer {

namespace {

QString archiveUnit(const QString& unit) {
    if (unit == u"W")
        return QStringLiteral("Ohm");
    if (unit == u"MW")
        return QStringLiteral("MOhm");
    return unit;
}

QString fileUnit(const QString& unit) {
    if (unit == u"Ohm")
        return QStringLiteral("W");
    if (unit == u"MOhm")
        return QStringLiteral("MW");
    return unit;
}

QString yesNo(qint32 flag) {
    return flag == 1 ? QStringLiteral("ja") : QStringLiteral("nein");
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

RowValues convertImageToRow(const QByteArray& image, const DateCorrection& correctDate) {
    RowValues row;
    Protokoll& t = row.texts;
    t = protocol_file::parseProtocolImage(image);
    for (QString* unit : {&t.Einheit1, &t.Einheit2, &t.Einheit3})
        *unit = archiveUnit(*unit);
    row.Diff = t.Diff;
    row.Niso = t.Niso;
    row.Ordnung = t.Ordnung;
    row.Alles = archive_measurements::summary({t.Messung1, t.Messung2, t.Messung3},
                                              {t.Wert1, t.Wert2, t.Wert3},
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

QString storedCustomerName(const QString& name) {
    return name.left(customerTableDefinition().fields[1].size);
}

CustomerMatch matchCustomer(TableStore& store, const QString& name, const QString& street,
                            const QString& town) {
    CustomerMatch match;
    const QString stored = storedCustomerName(name);
    if (stored.isEmpty())
        return match;
    const QString table = QStringLiteral("kunden");
    if (const auto error = store.beginWrite(table)) {
        match.failure = *error;
        return match;
    }
    QSqlQuery query(store.database());
    const auto failed = [&] {
        match.failure = store.describe(table, query.lastError());
        query.finish();
        store.rollbackWrite();
        match.added = false;
        match.number.reset();
        return match;
    };
    query.prepare(QStringLiteral("SELECT \"Kundennummer\" FROM \"kunden\" WHERE \"Auftraggeber\" = "
                                 "?%1 ORDER BY \"Kundennummer\", rowid LIMIT 1")
                      .arg(store.exactCollation()));
    query.addBindValue(stored);
    if (!query.exec())
        return failed();
    if (query.next()) {
        match.number = query.value(0).toLongLong();
    } else {
        if (!query.exec(
                QStringLiteral("SELECT coalesce(max(\"Kundennummer\"), 0) + 1 FROM \"kunden\"")) ||
            !query.next())
            return failed();
        match.number = query.value(0).toLongLong();
        query.prepare(
            QStringLiteral("INSERT INTO \"kunden\" (\"Kundennummer\", \"Auftraggeber\", "
                           "\"AuftraggeberStrasse\", \"AuftraggeberOrt\") VALUES (?, ?, ?, ?)"));
        for (const QVariant& value :
             {QVariant(*match.number), QVariant(stored), QVariant(storedCustomerName(street)),
              QVariant(storedCustomerName(town))})
            query.addBindValue(sql_binding::bindable(value));
        if (!query.exec())
            return failed();
        match.added = true;
    }
    query.finish();
    if (const auto error = store.commitWrite(table)) {
        match = {};
        match.failure = *error;
    }
    return match;
}

void rowToRecord(const TableCursor& archive, Protokoll& record) {
    const std::pair<QString Protokoll::*, const char*> texts[] = {
        {&Protokoll::AuftragNr, "AuftragNr"},
        {&Protokoll::Kunde1, "Auftraggeber"},
        {&Protokoll::Geraeteart, "Geraeteart"},
        {&Protokoll::Hersteller, "Hersteller"},
        {&Protokoll::Typenbezeichnung, "Typenbezeichnung"},
        {&Protokoll::Schutzklasse, "Schutzklasse"},
        {&Protokoll::Nennstrom, "Nennstrom"},
        {&Protokoll::Seriennummer, "Seriennummer"},
        {&Protokoll::Nennspannung, "Nennspannung"},
        {&Protokoll::Nennleistung, "Nennleistung"},
        {&Protokoll::FehlerZeile1, "FehlerZeile1"},
        {&Protokoll::FehlerZeile2, "FehlerZeile2"},
        {&Protokoll::FehlerZeile3, "FehlerZeile3"},
        {&Protokoll::RepArbeitenZeile1, "RepArbeitenZeile1"},
        {&Protokoll::RepArbeitenZeile2, "RepArbeitenZeile2"},
        {&Protokoll::RepArbeitenZeile3, "RepArbeitenZeile3"},
        {&Protokoll::Pruefung, "Pruefung"},
        {&Protokoll::Messung1, "Messung1"},
        {&Protokoll::Messung2, "Messung2"},
        {&Protokoll::Messung3, "Messung3"},
        {&Protokoll::Wert1, "Wert1"},
        {&Protokoll::Wert2, "Wert2"},
        {&Protokoll::Wert3, "Wert3"},
        {&Protokoll::Termin, "Termin"},
        {&Protokoll::Ort, "Ort"},
        {&Protokoll::Datum, "Datum"},
        {&Protokoll::Alles, "Alles"},
        {&Protokoll::Dateiname, "Dateiname"},
        {&Protokoll::Ordnung, "Ordnung"},
    };
    for (const auto& [member, field] : texts)
        record.*member = archive.text(QLatin1String(field));
    record.Einheit1 = fileUnit(archive.text(QStringLiteral("Einheit1")));
    record.Einheit2 = fileUnit(archive.text(QStringLiteral("Einheit2")));
    record.Einheit3 = fileUnit(archive.text(QStringLiteral("Einheit3")));
    const std::pair<qint32 Protokoll::*, const char*> flags[] = {
        {&Protokoll::Besichtigung1, "Besichtigung1"},
        {&Protokoll::Besichtigung2, "Besichtigung2"},
        {&Protokoll::Besichtigung3, "Besichtigung3"},
        {&Protokoll::Satz1, "Satz1"},
        {&Protokoll::Satz2, "Satz2"},
        {&Protokoll::Satz3, "Satz3"},
        {&Protokoll::Satz4, "Satz4"}};
    for (const auto& [member, field] : flags)
        record.*member = archive.boolean(QLatin1String(field)) ? 1 : 0;
    record.Gefunden = archive.boolean(QStringLiteral("Gefunden")) ? 1 : 0;
    record.Kundennummer = static_cast<qint32>(archive.integer(QStringLiteral("Kundennummer")));
    record.Diff = archive.boolean(QStringLiteral("Diff")) ? 1 : 0;
    record.Niso = archive.boolean(QStringLiteral("Niso")) ? 1 : 0;
}

RowTest rowTest(const TableCursor& archive) {
    RowTest test;
    // Rows from the measurement memory keep a blank after the class ("1 ").
    test.protectionClass = vocabulary::classCode(archive.text(QStringLiteral("Schutzklasse")));
    const QString pruefung = archive.text(QStringLiteral("Pruefung"));
    if (pruefung.contains(u"0701-0702")) {
        test.oldNorm = 0;
        test.testKind = pruefung.contains(u"(2)") ? 2 : 1;
    } else {
        test.oldNorm = 1;
        test.testKind = pruefung.contains(u"0702") ? 2 : 1;
    }
    return test;
}

QVariantList newRowFields(const RowValues& row, const QVariant& customerNumber,
                          const QString& origin) {
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
