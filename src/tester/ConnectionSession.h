#pragma once

#include "TesterNotices.h"

#include <QString>

#include <cstdint>

class MeasurementRun;
class Prompter;
class SettingsMenu;
class TesterLink;
struct PortSettings;
struct ReportState;
struct TesterConnection;

// What connecting to the tester and ending the connection need of the
// window they run in.
class ConnectionWindow {
public:
    virtual ~ConnectionWindow() = default;
    virtual void stopTimers() = 0;
    virtual void showStatus(const QString& text) = 0;
    // Paints the status line now: the exchange that follows keeps the program busy.
    virtual void paintNow() = 0;
    virtual void showNotice(Notice notice) = 0;
    // Ends the remote control once the handler in progress is over.
    virtual void endRemoteControl() = 0;
    virtual void showSoftwareLabel(const QString& label) = 0;
    // The tester's keys go live: the class key in place of Auto where the
    // tester steps its class with it, and accelerators on 0701 and 0702.
    virtual void showConnected(bool classKey, bool accelerators) = 0;
    // position: 1 Licht … last Zurück.
    virtual void showMenuCursor(int position) = 0;
    // Keys, display and menu as before the connection.
    virtual void showDisconnected() = 0;
};

// The start of remote control ("&Beginn Fernbedienung": the port, the
// version handshake, what the tester's version allows) and its end (out of
// the settings menu, out of remote mode, the port closed).
class ConnectionSession {
public:
    ConnectionSession(TesterLink& link, const PortSettings& settings, TesterConnection& connection,
                      ReportState& report, SettingsMenu& menu, MeasurementRun& run,
                      Prompter& prompter, ConnectionWindow& window);

    void begin();
    void end();

private:
    void fail(Notice notice);
    // The first key the tester does not take gives the notice; then none is sent.
    bool sendKeyOnClose(std::uint8_t key);

    TesterLink& link_;
    const PortSettings& settings_;
    TesterConnection& connection_;
    ReportState& report_;
    SettingsMenu& menu_;
    MeasurementRun& run_;
    Prompter& prompter_;
    ConnectionWindow& window_;
};
