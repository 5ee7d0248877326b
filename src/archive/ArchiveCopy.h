#pragma once

#include <QByteArray>
#include <QString>

class Prompter;
class TableStore;

// A whole archive and address book moved to another database (a file in a
// data folder or a server), row for row as stored, with the named indexes.
// Only into an empty archive; afterwards both are read again and compared by
// their counts and a checksum over every value.
namespace archive_copy {

struct Outcome {
    qint64 archiveRows = 0;
    qint64 customers = 0;
    QByteArray checksum; // SHA-256 of both tables, hex
    QString error;       // German; empty when the copy is whole and checked
    bool ok() const { return error.isEmpty(); }
};

// Shows its progress through the prompter ("Kopieren: … von … Datensätzen").
Outcome copy(TableStore& from, TableStore& to, Prompter& prompter);

// "Kopiert und geprüft: …" or the failure.
QString report(const Outcome& outcome, const QString& from, const QString& to);

} // namespace archive_copy
