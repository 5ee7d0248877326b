#include "ConnectionSession.h"

#include "Clock.h"
#include "MeasurementRun.h"
#include "SettingsMenu.h"
#include "TesterBytes.h"
#include "TesterCommands.h"
#include "TesterConnection.h"
#include "TesterLink.h"
#include "common/Prompter.h"
#include "report/ReportState.h"

#include <vector>

ConnectionSession::ConnectionSession(TesterLink& link, const PortSettings& settings,
                                     TesterConnection& connection, ReportState& report,
                                     SettingsMenu& menu, MeasurementRun& run, Prompter& prompter,
                                     ConnectionWindow& window)
    : link_(link)
    , settings_(settings)
    , connection_(connection)
    , report_(report)
    , menu_(menu)
    , run_(run)
    , prompter_(prompter)
    , window_(window) {}

void ConnectionSession::fail(Notice notice) {
    window_.stopTimers();
    window_.showNotice(notice);
    window_.endRemoteControl();
}

void ConnectionSession::begin() {
    if (link_.isOpen()) {
        prompter_.beep();
        window_.showStatus(connection_text::kAlreadyOpen);
        return;
    }
    if (!link_.open(settings_)) {
        prompter_.beep();
        // A missing permission is told with its remedy, not as a wrong port choice.
        if (const QString problem = link_.openProblem(settings_); !problem.isEmpty()) {
            window_.stopTimers();
            prompter_.message(problem, QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
            window_.endRemoteControl();
            return;
        }
        fail(Notice::PortNotActivated);
        return;
    }
    window_.showStatus(connection_text::kConnecting);
    window_.paintNow();
    switch (tester_command::connect(link_, connection_, report_)) {
    case tester_command::HandshakeResult::Connected:
        break;
    case tester_command::HandshakeResult::AllRefused:
        fail(Notice::Incompatible);
        return;
    case tester_command::HandshakeResult::NoResponse:
    case tester_command::HandshakeResult::NoReply:
        fail(Notice::NoReaction);
        return;
    case tester_command::HandshakeResult::Garbled:
        fail(Notice::TransferError);
        return;
    }

    const int version = connection_.ProtocolVersion;
    if (version == 1)
        prompter_.message(connection_text::kOldLimits, connection_text::kAttention,
                          Prompter::Buttons::Ok);
    if (const auto label = connection_text::softwareLabel(version))
        window_.showSoftwareLabel(*label);
    if (!connection_text::versionUsable(version)) {
        prompter_.message(connection_text::kUnusable, connection_text::kAttention,
                          Prompter::Buttons::Ok);
        window_.endRemoteControl();
        return;
    }
    run_.resetForConnection();
    window_.showConnected(connection_.classKeyMode != 0, version != tester_byte::kHighestVersion);
    window_.showStatus(connection_text::classStatusLine(report_.protectionClass));
}

bool ConnectionSession::sendKeyOnClose(std::uint8_t key) {
    if (connection_.noResponse)
        return false;
    if (tester_command::pressKey(link_, connection_, key) == LineStatus::Ok)
        return true;
    window_.stopTimers();
    window_.showNotice(Notice::NoReaction);
    return false;
}

void ConnectionSession::end() {
    window_.stopTimers();
    if (!link_.isOpen()) {
        prompter_.beep();
        window_.showStatus(connection_text::kEmptyStatus);
        return;
    }
    if (menu_.active()) {
        // The tester leaves its menu through Zurück, as if its keys were pressed.
        window_.showMenuCursor(1);
        const std::vector<std::uint8_t> keys = menu_.keysToBack();
        menu_.close();
        bool taken = true;
        for (const std::uint8_t key : keys)
            taken = taken && sendKeyOnClose(key);
        Clock& clock = link_.line().clock();
        if (taken) {
            clock.wait(SerialLine::kSendPause);
            sendKeyOnClose(tester_byte::kKeyAuto);
            clock.wait(SerialLine::kSendPause);
        }
    }
    if (tester_command::endRemoteControl(link_, connection_) != LineStatus::Ok) {
        window_.stopTimers();
        window_.showNotice(Notice::NoReaction);
    }
    if (link_.close()) {
        window_.showStatus(connection_text::kEmptyStatus);
        run_.clearStarted();
        window_.showDisconnected();
    } else {
        prompter_.beep();
        window_.showStatus(QStringLiteral("Schnittstelle konnte nicht geschlossen werden!"));
    }
}
