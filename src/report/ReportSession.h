#pragma once

#include "report/Protokoll.h"
#include "report/ReportState.h"

#include <QString>

#include <array>

// The report being worked on, with the names the user chose for it. It lives
// for the whole run: the wizard, the save/print window, the remote control and
// the archive fill and read the same one.
struct ReportSession {
    Protokoll record;
    ReportState report;

    // The protocol file last chosen in File/Open, File/Print or as template;
    // proposed when the report is saved, cleared when the save/print window closes.
    QString protocolFileName;
    // The path last chosen in a save dialog.
    QString savePath;
    // The printer chosen in printer setup; empty means the system's default printer.
    QString printerName;
    // The "Grenzwerte:" texts of the last printed report; a test outside the
    // limit table prints these again.
    std::array<QString, 3> limitTexts;
};
