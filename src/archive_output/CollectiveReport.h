#pragma once

#include <QList>
#include <QString>

#include <array>
#include <optional>

class TXPrint;

// One test report for many devices of one customer: an optional cover page
// with the counts of devices with and without defects, then landscape
// appendix pages listing every device, 27 to a page.
namespace collective_report {

enum class Cover { Portrait = 0, Landscape = 1, None = 2 };

struct Device {
    QString Geraeteart;
    QString Seriennummer;
    QString Schutzklasse;
    QString Pruefung;
    bool inspectionsPassed = false; // Besichtigung1..3 all true
    std::array<QString, 3> values;  // Wert1..3
    bool niso = false;
    QString Ordnung;
};

struct Address {
    QString name;
    QString street;
    QString place;
};

struct Report {
    Cover cover = Cover::Portrait;
    QString number;
    std::array<QString, 6> remarks;
    Address customer;
    Address contractor;
    QList<Device> devices;
};

inline constexpr int kRowsPerPage = 27;

// All inspections passed and the verdict exactly "j" or "ja".
bool withoutDefects(const Device& device);
int countWithoutDefects(const Report& report);
int pageCount(const Report& report);

// Rsl, Riso, Iea, Isl, Iber: where the three measured values of a device
// belong, by test kind, class and insulation test.
std::array<QString, 5> valueColumns(const Device& device);

// Margins and orientation of the cover's and the appendix's print components.
void configureCover(TXPrint& print, Cover cover);
void configureAppendix(TXPrint& print);

// Each a print job of its own; a German message when it could not be printed.
std::optional<QString> printCover(TXPrint& print, const Report& report);
std::optional<QString> printAppendixPage(TXPrint& print, const Report& report, int page);

} // namespace collective_report
