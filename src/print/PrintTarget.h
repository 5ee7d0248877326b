#pragma once

#include "PaperSize.h"

#include <QString>

#include <optional>

class Canvas;
class Prompter;

enum class TXPrinterOrientation { xpoPortrait, xpoLandscape };

// What a printer tells about its paper, in dots.
struct DeviceCaps {
    int dpiX = 300;
    int dpiY = 300;
    int physicalWidth = 0;
    int physicalHeight = 0;
    int printableWidth = 0;
    int printableHeight = 0;
    // Where the printable area starts on the paper, as seen from the device's origin.
    int offsetX = 0;
    int offsetY = 0;
};

struct JobSettings {
    QString title;
    TXPrinterOrientation orientation = TXPrinterOrientation::xpoPortrait;
    // Nothing: the paper the target has, A4 for PDF files and recordings,
    // for a printer what its dialog chose.
    std::optional<PaperSize> paper = std::nullopt;
};

// Where the print component's jobs go: a printer, a PDF file, or a recording
// for tests. Every job is one page.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;

    // Decided once, when the target is made.
    virtual bool hasPrinter() const = 0;
    // The system print dialog for this target's printer; false when cancelled.
    virtual bool runPrintDialog(Prompter& prompter) = 0;
    // Starts a job; a German message when it could not be started.
    virtual std::optional<QString> beginJob(const JobSettings& settings) = 0;
    // The paper of the open job.
    virtual DeviceCaps caps() const = 0;
    // Logical units to device dots: dot = origin + unit × scale.
    virtual void setMapping(double originX, double originY, double scaleX, double scaleY) = 0;
    // Ends the job, which prints the page; a German message when that failed.
    virtual std::optional<QString> endJob() = 0;
    virtual bool aborted() const = 0;
    // Copies of each page; the print dialog may have changed them.
    virtual int copies() const = 0;
    virtual void setCopies(int copies) = 0;
    // The open job's canvas; between jobs one that measures but draws nowhere.
    virtual Canvas& canvas() = 0;
};
