#pragma once

#include "Canvas.h"
#include "PrintTarget.h"

#include <QString>

// Drawing units: printer dots, 1/1000 inch, 1/10 mm, 1/100 mm.
enum class TScaling { pscDot, pscMil, pscMetric10, pscMetric100 };

// The print component every printed page is drawn through. It offers a
// canvas in the units of `Scaling` whose origin is the top-left corner of the
// area inside the margins, and font sizes in points that come out right on
// any printer resolution. Each BeginDoc ... EndDoc is one page and one job.
class TXPrint {
public:
    explicit TXPrint(PrintTarget& target);

    TScaling Scaling() const { return scaling_; }
    // Margins keep their size on paper. Ignored while printing.
    void setScaling(TScaling scaling);

    // Margins from the paper's edges, in `Scaling` units.
    int MarginLeft() const { return marginLeft_; }
    int MarginTop() const { return marginTop_; }
    int MarginRight() const { return marginRight_; }
    int MarginBottom() const { return marginBottom_; }
    void setMarginLeft(int units) { marginLeft_ = units; }
    void setMarginTop(int units) { marginTop_ = units; }
    void setMarginRight(int units) { marginRight_ = units; }
    void setMarginBottom(int units) { marginBottom_ = units; }
    void setMargins(int units);

    CanvasFont Font() const { return canvas().font(); }
    void setFont(const CanvasFont& font) { canvas().setFont(font); }
    // A plain font of this family, weight and size in points.
    void setFont(const QString& name, bool bold, int points) {
        CanvasFont font;
        font.name = name;
        font.bold = bold;
        font.size = points;
        canvas().setFont(font);
    }

    // False without printer.
    bool Aborted() const;
    // 1 without printer.
    int Copies() const;
    void setCopies(int copies) { target_.setCopies(copies); }
    // The job's name as the spooler shows it.
    void setTitle(const QString& title) { title_ = title; }
    void setOrientation(TXPrinterOrientation orientation) { orientation_ = orientation; }
    // Nothing keeps the printer's paper.
    void setPaper(std::optional<PaperSize> paper) { paper_ = paper; }

    bool HasPrinter() const { return target_.hasPrinter(); }
    bool Printing() const { return printing_; }

    // Starts a one-page job. False without printer, or when the job could not
    // be started (then lastError() says why).
    bool BeginDoc();
    // Prints the page and restores the font of BeginDoc. False when the
    // printing system failed (lastError() says why).
    bool EndDoc();
    QString lastError() const { return lastError_; }

    // The canvas font's size in points (the sign is ignored).
    void SetFontSize(int points) { canvas().setFontSize(points); }

    Canvas& canvas() { return target_.canvas(); }
    const Canvas& canvas() const { return target_.canvas(); }

    // The area between the margins in `Scaling` units, valid after BeginDoc.
    int PageWidth() const { return pageWidth_; }
    int PageHeight() const { return pageHeight_; }

    int resolutionX() const { return dpiX_; }
    // 1 for dots (a dot is a dot whatever the resolution), 1000, 254, 2540.
    int unitsPerInch() const;

private:
    int toDots(int units, int dpi) const;
    // What the canvas needs to turn points into units: with dots, the resolution.
    int fontUnitsPerInch() const;

    PrintTarget& target_;
    TScaling scaling_ = TScaling::pscDot;
    int marginLeft_ = 0;
    int marginTop_ = 0;
    int marginRight_ = 0;
    int marginBottom_ = 0;
    QString title_;
    TXPrinterOrientation orientation_ = TXPrinterOrientation::xpoPortrait;
    std::optional<PaperSize> paper_;
    // Until the first page tells the printer's resolution.
    int dpiX_ = 300;
    int dpiY_ = 300;
    int pageWidth_ = 0;
    int pageHeight_ = 0;
    bool printing_ = false;
    CanvasFont savedFont_;
    QString lastError_;
};
