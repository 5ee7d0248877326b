#pragma once

#include <QString>

#include <array>
#include <cstdint>

// What the connection handshake learnt about the tester. It outlives the
// connection: the report, the memory readout and the next connection read it.
struct TesterConnection {
    // The version the tester accepted, 1..10; 0 when none was accepted.
    int ProtocolVersion = 0;
    // The status byte the tester sent with its acceptance.
    std::uint8_t TesterStatus = 0;
    // The tester has no settings menu; its Auto key steps the protection class.
    int classKeyMode = 0;
    int frenchDisplay = 0;
    int lightFlag = 0;
    // The tester did not take a byte, so ending the connection sends nothing.
    int noResponse = 0;
    // Measurement names shown for steps 0..9, 22 characters each.
    std::array<QString, 10> stepNames{
        QStringLiteral("Schutzleiterwiderstand"), QStringLiteral("Schutzleiterwiderstand"),
        QStringLiteral("Isolationswiderstand  "), QStringLiteral("Ersatzableitstrom     "),
        QStringLiteral("Isolationswiderstand  "), QStringLiteral("Schutzleiterwiderstand"),
        QStringLiteral("Schutzleiterwiderstand"), QStringLiteral("Ersatzableitstrom     "),
        QStringLiteral("Schutzleiterstrom     "), QStringLiteral("Schutzleiterstrom     "),
    };
};
