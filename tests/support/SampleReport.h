#pragma once

#include "report/Protokoll.h"
#include "report/ReportState.h"

// A report with every member filled, as a class 1 test after repair leaves it.
inline Protokoll sampleReport() {
    Protokoll r;
    r.AuftragNr = QStringLiteral("2026-0815");
    r.Kunde1 = QStringLiteral("Bäckerei Müller");
    r.Kunde2 = QStringLiteral("Hauptstraße 12");
    r.Kunde3 = QStringLiteral("12345 Musterstadt");
    r.Nehmer1 = QStringLiteral("Elektro Schulze GmbH");
    r.Nehmer2 = QStringLiteral("Industrieweg 4");
    r.Nehmer3 = QStringLiteral("54321 Beispielheim");
    r.Geraeteart = QStringLiteral("Brotschneidemaschine");
    r.Hersteller = QStringLiteral("Graef");
    r.Typenbezeichnung = QStringLiteral("M 90");
    r.Schutzklasse = QStringLiteral("1");
    r.Nennstrom = QStringLiteral("0,8");
    r.Seriennummer = QStringLiteral("SN 4711-0042");
    r.Nennspannung = QStringLiteral("230");
    r.Nennleistung = QStringLiteral("170");
    r.FehlerZeile1 = QStringLiteral("Motor läuft nicht an");
    r.FehlerZeile2 = QStringLiteral("Schalter klemmt");
    r.FehlerZeile3 = QStringLiteral("Zuleitung am Knickschutz beschädigt");
    r.RepArbeitenZeile1 = QStringLiteral("Schalter getauscht");
    r.RepArbeitenZeile2 = QStringLiteral("Zuleitung erneuert");
    r.RepArbeitenZeile3 = QStringLiteral("Messer geschliffen");
    r.Pruefung = QStringLiteral("DIN VDE 0701-0702(1)");
    r.Besichtigung1 = 1;
    r.Besichtigung2 = 1;
    r.Besichtigung3 = 1;
    r.Messung1 = QStringLiteral("Schutzleiterwiderstand");
    r.Messung2 = QStringLiteral("Isolationswiderstand");
    r.Messung3 = QStringLiteral("Ersatzableitstrom");
    r.Einheit1 = QStringLiteral("W");
    r.Einheit2 = QStringLiteral("MW");
    r.Einheit3 = QStringLiteral("mA");
    r.Wert1 = QStringLiteral(" 0.1 2");
    r.Wert2 = QStringLiteral(">20.0");
    r.Wert3 = QStringLiteral("  0.25");
    r.Satz1 = 1;
    r.Satz2 = 1;
    r.Satz3 = 1;
    r.Satz4 = 1;
    r.Termin = QStringLiteral("15.12.2027");
    r.Ort = QStringLiteral("Musterstadt");
    r.Datum = QStringLiteral("15.12.2026");
    return r;
}

inline ReportState sampleState() {
    ReportState s;
    s.protectionClass = 1;
    s.testKind = 1;
    s.values = {QStringLiteral(" 0.1 2"), QStringLiteral(">20.0"), QStringLiteral("  0.25")};
    return s;
}
