#pragma once

#include "tester/TesterConnection.h"

#include <QByteArray>
#include <QList>
#include <QString>

// What the program knows about the tester between windows for the whole run.
struct TesterState {
    // Software letter of the tester's measurement memory; the main window sets it at start.
    QString memorySoftwareVersion;
    // The 32-byte memory entries the readout window kept for the archive.
    QList<QByteArray> readoutHandover;
    // What the last connection handshake learnt about the tester.
    TesterConnection connection;
};
