#pragma once

#include "LineStatus.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class TesterLink;
struct ReportState;
struct TesterConnection;

// The tester's commands, one function each, on an open link.
namespace tester_command {

enum class HandshakeResult {
    Connected,
    NoResponse, // a byte was not taken within the send timeout
    NoReply,    // an offered version got no answer
    AllRefused, // the tester refused every version from 10 down to 1
    Garbled,    // more than the one byte a tester answers an offer with
};

// Negotiates the protocol version from 10 down and decodes the tester's
// status into the connection and the report state.
HandshakeResult connect(TesterLink& link, TesterConnection& connection, ReportState& report);
// A key byte.
LineStatus pressKey(TesterLink& link, TesterConnection& connection, std::uint8_t key);
// Starts the zero-point correction and waits for the tester to report it
// done; ProtocolError when it reports anything else.
LineStatus zeroPointCorrection(TesterLink& link, TesterConnection& connection);
// One message of a measurement run, read byte by byte: the code byte within
// the given time, each payload byte within the send timeout.
struct RunMessageBytes {
    enum class Status { Complete, NoCode, PayloadMissing };
    Status status = Status::NoCode;
    QByteArray bytes; // code byte first; on PayloadMissing what did arrive
};
RunMessageBytes receiveRunMessage(TesterLink& link, int codeTimeoutMs, int valueCount);
// Takes the tester out of remote mode, unless it did not take a byte before.
LineStatus endRemoteControl(TesterLink& link, TesterConnection& connection);

enum class VersionResult {
    Answered,    // version and status known (or the tester answered 'f': kept as they were)
    NotAttached, // 'e', 'f' or 'v' not taken, or no answer to 'v'
    NoStatus,    // the status byte did not come
};
// Asks the tester for its protocol version and status, outside remote control.
VersionResult queryVersion(TesterLink& link, TesterConnection& connection, ReportState& report);

enum class ReadResult { Complete, NotReady, ReadError };
// Asks for the measurement memory and collects it until every announced
// entry and the end mark have come; progress(received, expected) after each
// piece. A tester that keeps sending beyond that without an end mark is a
// read error.
ReadResult readMemoryImage(TesterLink& link, QByteArray& image,
                           const std::function<void(qsizetype, qsizetype)>& progress);

} // namespace tester_command

// What the status byte means depends on the protocol version.
void decodeTesterStatus(int version, std::uint8_t status, TesterConnection& connection,
                        ReportState& report);
// Newer testers measure other things in steps 4, 6 and 7.
void adjustStepNames(int version, TesterConnection& connection);

namespace connection_text {
inline const QString kConnecting = QStringLiteral("Verbindung zum Gerätetester wird hergestellt  ");
inline const QString kAlreadyOpen = QStringLiteral("Schnittstelle ist bereits geöffnet!");
inline const QString kOldLimits = QStringLiteral(
    "Ihr Gerät ist noch nicht auf die seit dem 01.09.2000 gültigen Grenzwerte für die Prüfung "
    "nach VDE0701 umgestellt. Adresse und Telefonnummer für Informationen: siehe Hilfe | Info");
inline const QString kUnusable =
    QStringLiteral("Ihr Gerät kann mit dieser Software nicht verwendet werden. Adresse und "
                   "Telefonnummer für Informationen: siehe Hilfe | Info");
inline const QString kAttention = QStringLiteral("Achtung");
// The status line with nothing to say.
inline const QString kEmptyStatus = QStringLiteral("  ");
// "SW-Version des Testers: 4.0" and the like; nothing where the label stays as it is.
std::optional<QString> softwareLabel(int version);
// Versions 7 and 8 cannot work with this program.
bool versionUsable(int version);
// "eingestellte Schutzklasse: 1e" and the like.
QString classStatusLine(int protectionClass);
} // namespace connection_text
