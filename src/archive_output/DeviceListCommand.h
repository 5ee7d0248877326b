#pragma once

#include "DeviceList.h"
#include "print/PrinterChoice.h"

#include <QString>

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
         FormatQuestion& formatChoice, const PrinterSource& printers);

} // namespace device_list
