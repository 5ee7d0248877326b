#pragma once

#include <QString>

// What the program asks of the system's printers before it prints. Tests put
// a machine with or without printers in its place.
class PrinterSystem {
public:
    virtual ~PrinterSystem() = default;
    virtual bool hasPrinter() const = 0;
};

// The printers the platform knows (CUPS on Linux).
class QtPrinterSystem : public PrinterSystem {
public:
    bool hasPrinter() const override;
};
