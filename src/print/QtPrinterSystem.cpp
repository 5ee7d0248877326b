#include "PrinterSystem.h"

#include <QPrinterInfo>

bool QtPrinterSystem::hasPrinter() const {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}
