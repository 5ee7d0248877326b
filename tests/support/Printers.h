#pragma once

#include "report/Protokoll.h"

#include <ostream>
#include <utility>

// Failed comparisons show texts and members instead of raw bytes.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const Protokoll& r, std::ostream* os) {
    const std::pair<const char*, const QString*> texts[] = {
        {"AuftragNr", &r.AuftragNr},
        {"Kunde1", &r.Kunde1},
        {"Kunde2", &r.Kunde2},
        {"Kunde3", &r.Kunde3},
        {"Nehmer1", &r.Nehmer1},
        {"Nehmer2", &r.Nehmer2},
        {"Nehmer3", &r.Nehmer3},
        {"Geraeteart", &r.Geraeteart},
        {"Hersteller", &r.Hersteller},
        {"Typenbezeichnung", &r.Typenbezeichnung},
        {"Schutzklasse", &r.Schutzklasse},
        {"Nennstrom", &r.Nennstrom},
        {"Seriennummer", &r.Seriennummer},
        {"Nennspannung", &r.Nennspannung},
        {"Nennleistung", &r.Nennleistung},
        {"FehlerZeile1", &r.FehlerZeile1},
        {"FehlerZeile2", &r.FehlerZeile2},
        {"FehlerZeile3", &r.FehlerZeile3},
        {"RepArbeitenZeile1", &r.RepArbeitenZeile1},
        {"RepArbeitenZeile2", &r.RepArbeitenZeile2},
        {"RepArbeitenZeile3", &r.RepArbeitenZeile3},
        {"Pruefung", &r.Pruefung},
        {"Messung1", &r.Messung1},
        {"Messung2", &r.Messung2},
        {"Messung3", &r.Messung3},
        {"Einheit1", &r.Einheit1},
        {"Einheit2", &r.Einheit2},
        {"Einheit3", &r.Einheit3},
        {"Wert1", &r.Wert1},
        {"Wert2", &r.Wert2},
        {"Wert3", &r.Wert3},
        {"Termin", &r.Termin},
        {"Ort", &r.Ort},
        {"Datum", &r.Datum},
        {"Alles", &r.Alles},
        {"Dateiname", &r.Dateiname},
        {"Ordnung", &r.Ordnung},
    };
    for (const auto& [name, text] : texts)
        *os << name << "=\"" << text->toStdString() << "\" ";
    *os << "Besichtigung=" << r.Besichtigung1 << r.Besichtigung2 << r.Besichtigung3
        << " Satz=" << r.Satz1 << r.Satz2 << r.Satz3 << r.Satz4 << " Gefunden=" << int(r.Gefunden)
        << " Kundennummer=" << r.Kundennummer << " Diff=" << int(r.Diff) << " Niso=" << int(r.Niso);
}
