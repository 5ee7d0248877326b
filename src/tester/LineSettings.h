#pragma once

#include <QString>

// Line settings as the tester needs them. They start from the mode text
// "baud=9600 parity=N data=8 stop=1" and are then adjusted for the tester's
// hardware handshake.
struct LineSettings {
    int baudRate = 0;
    char parity = 'N';
    int dataBits = 0;
    int stopBits = 0;
    bool binary = false;
    bool parityCheck = false;
    bool ctsOutputFlow = false;
    bool dsrOutputFlow = false;
    bool dtrOn = true;
    bool rtsHandshake = false;

    // Reads "baud=… parity=… data=… stop=…"; fields it does not name stay unset.
    static LineSettings fromModeText(const QString& text);
    // Binary, no parity check, transmit only while CTS is on, DTR held off,
    // RTS driven by the handshake.
    void adjustForTester();

    bool operator==(const LineSettings&) const = default;
};
