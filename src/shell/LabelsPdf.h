#pragma once

#include "tables/DatabaseLocation.h"

#include "archive_output/TestLabels.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <variant>

// Test labels of archive rows as a PDF file from the command line, without a
// window or a printer.
namespace labels_pdf {

struct Request {
    QList<qint64> numbers;
    test_labels::Format format = test_labels::Format::Sheet;
    // The first label's place on the sheet, 1 to 24.
    int startPosition = 1;
    QString pdfFile;
};

// The request from the option's arguments (numbers separated by commas, the
// file) and the values of --label-start and --label-format; a German message
// when they do not fit.
std::variant<Request, QString> readRequest(const QStringList& arguments, const QString& start,
                                           const QString& format);

// Writes the labels of the rows in the order given; messages on standard
// error. The program's exit code.
int write(const DatabaseLocation& database, const Request& request);

} // namespace labels_pdf
