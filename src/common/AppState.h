#pragma once

#include "report/Protokoll.h"
#include "report/ReportState.h"
#include "tester/TesterConnection.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>

// What the customer lookup and the customer-number entry hand back.
struct CustomerChoice {
    int accepted = 0;      // the lookup ended with "&Übernehmen"
    QString name;          // Auftraggeber
    qint32 number = 0;     // Kundennummer, also the number entered
    QString place;         // AuftraggeberOrt
    QString street;        // AuftraggeberStrasse
    int numberEntered = 0; // the number entry ended with "OK"
};

// Everything the windows share for the whole run. The program entry owns one
// instance and hands it to the windows; tests make a fresh one each.
struct AppState {
    Protokoll record;
    ReportState report;

    // The protocol file last chosen in File/Open, File/Print or as template;
    // proposed when the report is saved, cleared when the save/print window closes.
    QString protocolFileName;
    // The path last chosen in a save dialog.
    QString savePath;
    // Software letter of the tester's measurement memory; the main window sets it at start.
    QString memorySoftwareVersion;
    CustomerChoice customerChoice;
    // The printer chosen in printer setup; empty means the system's default printer.
    QString printerName;
    // The "Grenzwerte:" texts of the last printed report; a test outside the
    // limit table prints these again.
    std::array<QString, 3> limitTexts;
    // The 32-byte memory entries the readout window kept for the archive.
    QList<QByteArray> readoutHandover;
    // What the last connection handshake learnt about the tester.
    TesterConnection tester;
};
