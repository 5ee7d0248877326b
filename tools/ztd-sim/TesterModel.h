#pragma once

#include "RunScript.h"

#include <QByteArray>

#include <cstdint>
#include <set>
#include <vector>

// What the simulated tester is like, and how it misbehaves.
struct TesterConfig {
    // Protocol versions it accepts in the handshake; the highest also answers 'v'.
    std::set<int> acceptedVersions{10};
    // Bits 0-1 protection class − 1, 2 light, 3 French, 4 memory version
    // valid, 6 class key instead of the settings menu, 7 differential current.
    std::uint8_t statusByte = 0x10;
    std::uint8_t correctionReply = 'r';
    int correctionDelayMs = 1500;
    int replyDelayMs = 20;
    // Stored entries of 32 bytes each.
    QByteArray memoryEntries;
    int memoryChunkSize = 64;
    int memoryChunkDelayMs = 70;
    RunScript handRun = defaultRunScript();
    RunScript autoRun = defaultRunScript();

    // Faults.
    bool ctsNeverOn = false; // only where the line has modem lines
    bool silent = false;     // takes every byte, answers nothing
    int cutShortBy = 0;      // every answer of several bytes loses this many at its end
    QByteArray garbage;      // sent in place of every answer
};

// Bytes the tester sends after a delay (counted from the previous output).
struct Emission {
    int delayMs = 0;
    QByteArray bytes;
};
using Emissions = std::vector<Emission>;

// The tester's side of the byte protocol: handshake, keys and menus,
// zero-point correction, test selection, measurement runs and memory readout.
// It is fed the bytes the PC sends and returns what it answers.
class TesterModel {
public:
    enum class Mode {
        Local,            // not under remote control
        Offering,         // took 'f', waits for a version or 'v'
        Idle,             // remote control, console idle
        Menu,             // settings menu
        InsulationChoice, // test kind chosen, "mit Riso"/"ohne Riso" asked
        StartChoice,      // waits for Hand or Auto
        Running,          // sends a measurement run
        Finished,         // run over, waits for a key
    };

    explicit TesterModel(TesterConfig config = {});

    // A byte from the PC.
    Emissions receive(std::uint8_t byte);
    // A key pressed at the tester itself: 0x01, 0x02, 0x04, 0x05, 'J' or 'N'.
    Emissions pressKey(std::uint8_t key);

    const TesterConfig& config() const { return config_; }
    Mode mode() const { return mode_; }
    int version() const { return version_; }
    int protectionClass() const;
    bool lightOn() const;
    int menuCursor() const { return menuCursor_; }
    int menuItems() const { return version_ >= 6 ? 4 : 3; }
    int testKind() const { return testKind_; }
    bool niso() const { return niso_; }
    bool handRun() const { return hand_; }
    // While a Hand run waits for a key the tester keeps the reading live: the
    // message it sends again and again meanwhile; empty when it sends nothing.
    const QByteArray& liveMessage() const { return live_; }
    // The whole memory image: count bytes, entries, end mark.
    QByteArray memoryImage() const;

private:
    Emissions answer(const QByteArray& bytes, int delayMs) const;
    Emissions key(std::uint8_t key);
    Emissions startRun(bool hand);
    Emissions continueRun();
    bool classKeyMode() const;
    bool offersInsulationChoice() const;
    void stepClass();

    TesterConfig config_;
    Mode mode_ = Mode::Local;
    int version_ = 0;
    std::uint8_t status_;
    int menuCursor_ = 1;
    int testKind_ = 0;
    bool niso_ = false;
    bool hand_ = false;
    std::size_t runPosition_ = 0;
    QByteArray live_;
};

// Stored entries as the tester keeps them: flags, three values of five
// characters, and sixteen bytes the PC does not read. The samples vary the
// class, test kind and letters and carry 0x00, 0x11, 0x13 and 0xFF.
QByteArray sampleMemoryEntries(int count);
