#pragma once

#include "tables/DatabaseLocation.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <variant>

// "Fällige Prüfungen" as a PDF file from the command line, without a window
// or a printer.
namespace due_pdf {

struct Request {
    int days = 30;
    QString pdfFile;
};

// The request from the option's arguments: the number of days and the file;
// a German message when they do not fit.
std::variant<Request, QString> readRequest(const QStringList& arguments);

// Writes the devices due by `today` plus the days; messages on standard
// error. The program's exit code.
int write(const DatabaseLocation& database, const Request& request, const QDate& today);

} // namespace due_pdf
