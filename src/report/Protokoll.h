#pragma once

#include <QString>
#include <QtGlobal>

// The current test record: one report, as the wizard edits it, the protocol
// file stores it and the archive keeps it. Members and their order are those
// every reader and writer of a report relies on.
struct Protokoll {
    QString AuftragNr;
    QString Kunde1;
    QString Kunde2;
    QString Kunde3;
    QString Nehmer1;
    QString Nehmer2;
    QString Nehmer3;
    QString Geraeteart;
    QString Hersteller;
    QString Typenbezeichnung;
    QString Schutzklasse;
    QString Nennstrom;
    QString Seriennummer;
    QString Nennspannung;
    QString Nennleistung;
    QString FehlerZeile1;
    QString FehlerZeile2;
    QString FehlerZeile3;
    QString RepArbeitenZeile1;
    QString RepArbeitenZeile2;
    QString RepArbeitenZeile3;
    QString Pruefung;
    qint32 Besichtigung1 = 0;
    qint32 Besichtigung2 = 0;
    qint32 Besichtigung3 = 0;
    QString Messung1;
    QString Messung2;
    QString Messung3;
    QString Einheit1;
    QString Einheit2;
    QString Einheit3;
    QString Wert1;
    QString Wert2;
    QString Wert3;
    qint32 Satz1 = 0;
    qint32 Satz2 = 0;
    qint32 Satz3 = 0;
    qint32 Satz4 = 0;
    QString Termin;
    QString Ort;
    QString Datum;
    // Archive only; the protocol file does not hold these four.
    QString Alles;
    QString Dateiname;
    quint8 Gefunden = 0;
    qint32 Kundennummer = 0;
    quint8 Diff = 0;
    quint8 Niso = 0;
    QString Ordnung;

    bool operator==(const Protokoll&) const = default;
};
