#pragma once

#include "Protokoll.h"

#include <QByteArray>
#include <QString>

#include <optional>

struct ReportState;

// The saved report: a fixed 1148-byte image of the record, no header.
namespace protocol_file {

inline constexpr int kImageSize = 1148;

// The image of the record. A text longer than its field is cut so that one
// zero byte stays behind it.
QByteArray buildProtocolImage(const Protokoll& record);

// Every field of an image as a record: the texts up to their first zero byte,
// the seven int32 flags as stored, Diff and Niso from bytes 1144/1145, Ordnung
// "j" when byte 1146 is nonzero, else "n". The archive-only members stay empty.
// The image must hold kImageSize bytes.
Protokoll parseProtocolImage(const QByteArray& image);

// File/Open and File/Print: the record's texts, seven flags, Diff, Niso and
// Ordnung, and the report state's class, test kind, oldNorm, values (the first
// six characters of each value field), diff, niso and notInOrder come from the
// image. Alles, Dateiname, Gefunden and Kundennummer stay as they were.
void readForOpen(const QByteArray& image, Protokoll& record, ReportState& state);

// A saved report as template: order, customer, contractor, device, fault and
// repair texts, place and date; the seven check marks are cleared; the
// measurement, the next test date and the report state stay as they were.
void readTemplate(const QByteArray& image, Protokoll& record);

struct ReadResult {
    QByteArray image; // kImageSize bytes when the file could be read
    QString error;    // German message for the user when it could not
    bool ok() const { return error.isEmpty(); }
};
// Reads the first kImageSize bytes of a protocol file. A file that cannot be
// opened or is shorter is refused with a message naming it.
ReadResult readProtocolFile(const QString& path);

// Writes the image in one piece so that an existing file is replaced only by a
// complete new one. Returns a German message when it failed, nothing otherwise.
std::optional<QString> writeProtocolFile(const QString& path, const QByteArray& image);

} // namespace protocol_file
