#pragma once

#include "DeviceList.h"
#include "print/PrintOutput.h"

#include <QString>

#include <functional>
#include <optional>

class Prompter;
class TableCursor;

namespace device_list {

// The customer and the range of next test dates a list is made for.
struct Request {
    QString customerName;
    qint32 customerNumber = 0;
    QString customerStreet;
    QString customerPlace;
    QString firstDate;
    QString secondDate;
};

// What the list asks the user. The program's windows answer; tests script them.
class RequestQuestion {
public:
    virtual ~RequestQuestion() = default;
    // Customer and range; nothing when the user cancelled.
    virtual std::optional<Request> askRequest() = 0;
};

class FormatQuestion {
public:
    virtual ~FormatQuestion() = default;
    // Nothing when the user cancelled.
    virtual std::optional<Format> askFormat() = 0;
};

// The archive's "Liste": asks for customer, range and format, prints the
// customer's devices due in the range in the order of their next test, and
// leaves the archive view with the filter and index it had.
void run(Prompter& prompter, TableCursor& archive, RequestQuestion& request,
         FormatQuestion& formatChoice, const PrintOutput& output);

// Filters the archive on the customer's devices due in the range, in the
// order of their next test; false when the order could not be built.
bool selectDue(TableCursor& archive, const Request& request);
// The list of the rows the archive shows.
List readList(TableCursor& archive, const Request& request, Format format);
// Every page, each one job of the target; a page that could not be printed is told.
void draw(PrintTarget& target, const List& list, const std::function<void(const QString&)>& tell);
// That the customer has no device due in the range.
QString nothingDueText(const Request& request);
// The PDF file name proposed: the customer and the range.
QString pdfName(const List& list);

} // namespace device_list
