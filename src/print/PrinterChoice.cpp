#include "PrinterChoice.h"

#include "PrintTarget.h"
#include "common/Prompter.h"

std::shared_ptr<PrintTarget> choosePrinter(Prompter& prompter, const PrinterSource& printers) {
    std::shared_ptr<PrintTarget> target = printers();
    if (!target->hasPrinter()) {
        prompter.message(QStringLiteral("Kein Drucker im System vorhanden!"),
                         QStringLiteral("Fehler"), Prompter::Buttons::Ok);
        return nullptr;
    }
    if (!target->runPrintDialog(prompter))
        return nullptr;
    return target;
}
