#pragma once

#include <functional>
#include <memory>

class PrintTarget;
class Prompter;

// Gives the printer for one print, made when it is needed so that a printer
// chosen in printer setup meanwhile is used.
using PrinterSource = std::function<std::shared_ptr<PrintTarget>()>;

// The printer after the user confirmed the print dialog; nothing when the
// system has no printer (the user is told) or the dialog was cancelled.
std::shared_ptr<PrintTarget> choosePrinter(Prompter& prompter, const PrinterSource& printers);
