#include "RemoteArchiveRow.h"

#include "report/Protokoll.h"
#include "report/ReportState.h"
#include "report/Vocabulary.h"

namespace remote_archive_row {

QString summaryText(const Measurements& m, const std::array<QString, 3>& values, int niso) {
    return archive_measurements::summary(m.names, values, m.units, false) + QStringLiteral("  ") +
           (niso ? QLatin1Char('T') : QLatin1Char('F'));
}

QString dateText(const QDate& date) {
    return QStringLiteral("Messung am   %1.%2.%3")
        .arg(date.day())
        .arg(date.month())
        .arg(date.year());
}

void writeIntoRecord(Protokoll& record, const ReportState& report) {
    for (QString Protokoll::*member :
         {&Protokoll::AuftragNr, &Protokoll::Kunde1, &Protokoll::Geraeteart, &Protokoll::Hersteller,
          &Protokoll::Typenbezeichnung, &Protokoll::Nennstrom, &Protokoll::Nennspannung,
          &Protokoll::Nennleistung, &Protokoll::Seriennummer, &Protokoll::FehlerZeile1,
          &Protokoll::FehlerZeile2, &Protokoll::FehlerZeile3, &Protokoll::RepArbeitenZeile1,
          &Protokoll::RepArbeitenZeile2, &Protokoll::RepArbeitenZeile3})
        (record.*member).clear();
    record.Schutzklasse = vocabulary::classText(report.protectionClass).value_or(QString());
    // Remote rows name the combined standard with the test kind in brackets.
    record.Pruefung = vocabulary::testKindText(report.testKind, 0).value_or(QString());
    const Measurements m =
        measurements(report.testKind, report.protectionClass, report.niso, report.diff);
    record.Messung1 = m.names[0];
    record.Messung2 = m.names[1];
    record.Messung3 = m.names[2];
    record.Einheit1 = m.units[0];
    record.Einheit2 = m.units[1];
    record.Einheit3 = m.units[2];
    record.Wert1 = report.values[0];
    record.Wert2 = report.values[1];
    record.Wert3 = report.values[2];
    record.Alles = summaryText(m, report.values, report.niso);
    record.Ordnung = report.notInOrder ? QStringLiteral("n") : QStringLiteral("j");
    record.Diff = report.diff != 0;
    record.Niso = report.niso != 0;
}

QVariantList rowValues(const Protokoll& record, const QDate& date) {
    const QString empty;
    return {
        qint64(0),
        empty,
        empty,
        empty,
        empty,
        empty,
        record.Schutzklasse,
        empty,
        empty,
        empty,
        empty,
        empty,
        empty,
        empty,
        empty,
        empty,
        empty,
        record.Pruefung,
        false,
        false,
        false,
        record.Messung1,
        record.Messung2,
        record.Messung3,
        record.Einheit1,
        record.Einheit2,
        record.Einheit3,
        record.Wert1,
        record.Wert2,
        record.Wert3,
        false,
        false,
        false,
        false,
        empty,
        empty,
        empty,
        record.Alles,
        dateText(date),
        false,
        QVariant(), // no customer: not the contractor's 0
        record.Ordnung,
        record.Diff != 0,
        record.Niso != 0,
    };
}

} // namespace remote_archive_row
