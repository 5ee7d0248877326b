#pragma once

#include "report/Protokoll.h"
#include "report/ReportState.h"

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
    // 1: the save/print window offers saving and printing; 0: printing the chosen file only.
    int savePrintMode = 1;
    // Answer of the question whether a report is wanted after a measurement.
    int reportWanted = 0;
    // Software letter of the tester's measurement memory; the main window sets it at start.
    QString memorySoftwareVersion;
    // The printer chosen in printer setup; empty means the system's default printer.
    QString printerName;
    // The "Grenzwerte:" texts of the last printed report; a test outside the
    // limit table prints these again.
    std::array<QString, 3> limitTexts;
};
