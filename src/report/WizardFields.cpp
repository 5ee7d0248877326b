#include "WizardFields.h"

#include "ReportState.h"

namespace wizard_fields {

const std::array<TextField, 23> kTextFields{{
    {"Auftrag", &Protokoll::AuftragNr, 19, 1, 384, 8, 150},
    {"Kunde1", &Protokoll::Kunde1, 35, 1, 16, 64, 280},
    {"Kunde2", &Protokoll::Kunde2, 35, 1, 16, 96, 280},
    {"Kunde3", &Protokoll::Kunde3, 35, 1, 16, 128, 280},
    {"Nehmer1", &Protokoll::Nehmer1, 30, 1, 320, 64, 270},
    {"Nehmer2", &Protokoll::Nehmer2, 30, 1, 320, 96, 270},
    {"Nehmer3", &Protokoll::Nehmer3, 30, 1, 320, 128, 270},
    {"Art", &Protokoll::Geraeteart, 30, 1, 75, 168, 200},
    {"Hersteller", &Protokoll::Hersteller, 20, 1, 352, 174, 170},
    {"Typ", &Protokoll::Typenbezeichnung, 19, 1, 120, 208, 160},
    {"Nummer", &Protokoll::Seriennummer, 20, 1, 72, 248, 170},
    {"Volt", &Protokoll::Nennspannung, 4, 1, 120, 288, 60},
    {"Watt", &Protokoll::Nennleistung, 5, 1, 120, 328, 60},
    {"Ampere", &Protokoll::Nennstrom, 5, 1, 320, 288, 60},
    {"Fehler1", &Protokoll::FehlerZeile1, 57, 2, 144, 16, 440},
    {"Fehler2", &Protokoll::FehlerZeile2, 75, 2, 37, 48, 547},
    {"Fehler3", &Protokoll::FehlerZeile3, 75, 2, 37, 80, 547},
    {"Rep1", &Protokoll::RepArbeitenZeile1, 51, 2, 182, 120, 402},
    {"Rep2", &Protokoll::RepArbeitenZeile2, 75, 2, 37, 152, 547},
    {"Rep3", &Protokoll::RepArbeitenZeile3, 75, 2, 37, 184, 547},
    {"Termin", &Protokoll::Termin, 20, 3, 144, 248, 150},
    {"Ort", &Protokoll::Ort, 31, 3, 16, 336, 200},
    {"Datum", &Protokoll::Datum, 10, 3, 232, 336, 100},
}};

bool isContractorLine(const TextField& field) {
    return field.member == &Protokoll::Nehmer1 || field.member == &Protokoll::Nehmer2 ||
           field.member == &Protokoll::Nehmer3;
}

const std::array<qint32 Protokoll::*, 7> kCheckMembers{
    &Protokoll::Besichtigung1, &Protokoll::Besichtigung2, &Protokoll::Besichtigung3,
    &Protokoll::Satz1,         &Protokoll::Satz2,         &Protokoll::Satz3,
    &Protokoll::Satz4};

QString cleanMeasuredValue(const QString& value) {
    // A short value ends in zero bytes within its six characters; they become blanks too.
    QString cleaned = value.leftJustified(kMeasuredValueLength, u' ');
    for (int i = 0; i < std::min<qsizetype>(cleaned.size(), kMeasuredValueLength); ++i)
        if (cleaned[i].unicode() < 0x20 || cleaned[i].unicode() >= 0x80)
            cleaned[i] = u' ';
    return cleaned;
}

bool measurementFailed(const QString& value) {
    return value.startsWith(u'F');
}

} // namespace wizard_fields
