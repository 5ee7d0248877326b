#pragma once

#include "tables/DatabaseLocation.h"

#include "archive_output/CollectiveReport.h"
#include "archive_output/DeviceList.h"

#include <QString>
#include <QStringList>

class PrintTarget;

#include <functional>
#include <variant>

// The archive's printouts as one PDF file each from the command line, without
// a window or a printer: the pages of the archive's "Drucken" menu.
namespace archive_pdf {

struct Request {
    enum class Kind { Report, Collective, DueList };
    Kind kind = Kind::Report;
    // The row's number (Zaehler) or the customer number.
    qint64 number = 0;
    // The range of next test dates of a device list, as TT.MM.JJJJ.
    QString firstDate;
    QString secondDate;
    collective_report::Cover cover = collective_report::Cover::Portrait;
    device_list::Format layout = device_list::Format::Portrait1;
    QString pdfFile;
};

// The request from the option's arguments (dates as TTMMJJJJ) and the values
// of --cover and --layout; a German message when they do not fit.
std::variant<Request, QString> readRequest(Request::Kind kind, const QStringList& arguments,
                                           const QString& cover, const QString& layout);

// Writes the PDF file; messages on standard error. The program's exit code.
int write(const DatabaseLocation& database, const Request& request);

// Draws the pages into the file, whole or not at all (when a page was told
// to have failed); messages on standard error. The program's exit code.
using Tell = std::function<void(const QString&)>;
int writePdf(const QString& path, const std::function<void(PrintTarget&, const Tell&)>& draw);

} // namespace archive_pdf
