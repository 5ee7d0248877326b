#pragma once

#include <QList>
#include <QString>

#include <optional>

class TXPrint;

// The planning list of one customer's devices due for their next test, in
// one of three formats, one print job per page.
namespace device_list {

enum class Format { Portrait1 = 0, Portrait2 = 1, Landscape = 2 };

struct Device {
    QString Geraeteart;
    QString Seriennummer;
    QString Hersteller;
    QString Typenbezeichnung;
    QString Termin;
};

struct List {
    Format format = Format::Portrait1;
    QString firstDate;
    QString secondDate;
    QString customerName;
    QString customerStreet;
    QString customerPlace;
    QList<Device> devices;
};

int rowsPerPage(Format format);
int pageCount(const List& list);

// Margins and orientation of the list's print component.
void configure(TXPrint& print, Format format);

// Prints page 1..pageCount; a German message when it could not.
std::optional<QString> printPage(TXPrint& print, const List& list, int page);

} // namespace device_list
