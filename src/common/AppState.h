#pragma once

#include "report/Protokoll.h"
#include "report/ReportState.h"
#include "tester/TesterConnection.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>

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
