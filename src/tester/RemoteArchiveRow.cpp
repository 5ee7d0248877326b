#include "RemoteArchiveRow.h"

#include "report/Protokoll.h"
#include "report/ReportState.h"
#include "report/Vocabulary.h"

namespace remote_archive_row {

namespace {
const QString kPE = QStringLiteral("Schutzleiterwiderstand");
const QString kIso = QStringLiteral("Isolationswiderstand");
const QString kSubstitute = QStringLiteral("Ersatzableitstrom");
const QString kTouch = QStringLiteral("Berührungsstrom");
const QString kProtectiveCurrent = QStringLiteral("Schutzleiterstrom");
const QString kDifferential = QStringLiteral("Differenzstrom");
const QString kOhm = QStringLiteral("Ohm");
const QString kMOhm = QStringLiteral("MOhm");
const QString kMA = QStringLiteral("mA");
const QString kBlank = QStringLiteral(" ");

// Rows from the remote window have always been stored with these texts; a
// blank and an empty name differ here from the report's layout.
Measurements classOneOrOneE(int testKind, int niso, int diff) {
    const QString& current = diff ? kDifferential : kProtectiveCurrent;
    if (niso)
        return {{kPE, current, kBlank}, {kOhm, kMA, kBlank}};
    if (testKind == 1)
        return {{kPE, kIso, kSubstitute}, {kOhm, kMOhm, kMA}};
    return {{kIso, kPE, current}, {kMOhm, kOhm, kMA}};
}

Measurements classTwo(int testKind, int niso) {
    if (niso)
        return {{kTouch, {}, {}}, {kMA, {}, {}}};
    if (testKind == 1)
        return {{kIso, kSubstitute, {}}, {kMOhm, kMA, {}}};
    return {{kIso, kTouch, {}}, {kMOhm, kMA, {}}};
}

QString measurementText(const QString& name, const QString& value, const QString& unit) {
    QString text =
        name + (value.contains(QLatin1Char('>')) ? QStringLiteral(" ") : QStringLiteral(" = ")) +
        value;
    // A value that starts with 'F' is an error text of the tester and has no unit.
    if (!value.startsWith(QLatin1Char('F')))
        text += QLatin1Char(' ') + unit;
    return text;
}
} // namespace

Measurements measurements(int testKind, int protectionClass, int niso, int diff) {
    if (testKind != 1 && testKind != 2)
        return {};
    switch (protectionClass) {
    case 1:
    case 4:
        return classOneOrOneE(testKind, niso, diff);
    case 2:
        return classTwo(testKind, niso);
    case 3:
        return {{kIso, {}, {}}, {kMOhm, {}, {}}};
    default:
        return {};
    }
}

QString summaryText(const Measurements& m, const std::array<QString, 3>& values, int niso) {
    QString text = measurementText(m.names[0], values[0], m.units[0]);
    for (int i = 1; i < 3; ++i)
        if (m.names[i].size() > 5)
            text += QStringLiteral("  ") + measurementText(m.names[i], values[i], m.units[i]);
    return text + QStringLiteral("  ") + (niso ? QLatin1Char('T') : QLatin1Char('F'));
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
        qint64(0),
        record.Ordnung,
        record.Diff != 0,
        record.Niso != 0,
    };
}

} // namespace remote_archive_row
