#pragma once

#include <QString>

// How a font asks for its character widths; a request the font system may not meet.
enum class FontPitch { Default, Fixed, Variable };

struct CanvasFont {
    QString name = QStringLiteral("Times New Roman");
    FontPitch pitch = FontPitch::Default;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    // Printed size in points, whatever the printer's resolution.
    int size = 10;

    bool operator==(const CanvasFont&) const = default;
};

// The drawing surface of a printed page. Positions and lengths are logical
// units (those of the print component's scaling); y grows downwards and a text
// position is the top-left corner of the text. The canvas keeps font, pen and
// the current position; the implementations only draw and measure.
class Canvas {
public:
    virtual ~Canvas() = default;

    const CanvasFont& font() const { return font_; }
    void setFont(const CanvasFont& font) { font_ = font; }
    void setFontName(const QString& name) { font_.name = name; }
    void setFontPitch(FontPitch pitch) { font_.pitch = pitch; }
    void setFontBold(bool bold) { font_.bold = bold; }
    void setFontSize(int points) { font_.size = points < 0 ? -points : points; }

    // Logical units per inch; the print component sets it when a page begins.
    int unitsPerInch() const { return unitsPerInch_; }
    void setUnitsPerInch(int units) { unitsPerInch_ = units; }
    // Character height of the current font in logical units (its size in points
    // at unitsPerInch): 10 points are 352 hundredths of a millimetre.
    int fontHeight() const { return font_.size * unitsPerInch_ / 72; }

    int penWidth() const { return penWidth_; }
    void setPenWidth(int width) { penWidth_ = width; }

    void textOut(int x, int y, const QString& text) { drawText(x, y, text); }
    int textWidth(const QString& text) const { return measureText(text); }
    void moveTo(int x, int y) {
        penX_ = x;
        penY_ = y;
    }
    void lineTo(int x, int y) {
        drawLine(penX_, penY_, x, y);
        moveTo(x, y);
    }
    void line(int x1, int y1, int x2, int y2) {
        moveTo(x1, y1);
        lineTo(x2, y2);
    }
    // A box filled white: it hides whatever was drawn under it before.
    void rectangle(int left, int top, int right, int bottom) {
        drawRectangle(left, top, right, bottom);
    }
    // The outline of a box only, such as the border of a page.
    void frame(int left, int top, int right, int bottom) { drawFrame(left, top, right, bottom); }
    // A box filled black without a pen, such as a module of a QR code: it covers
    // exactly the area given, whatever the pen width.
    void fill(int left, int top, int right, int bottom) { drawFill(left, top, right, bottom); }

protected:
    virtual void drawText(int x, int y, const QString& text) = 0;
    virtual int measureText(const QString& text) const = 0;
    virtual void drawLine(int x1, int y1, int x2, int y2) = 0;
    virtual void drawRectangle(int left, int top, int right, int bottom) = 0;
    virtual void drawFrame(int left, int top, int right, int bottom) = 0;
    virtual void drawFill(int left, int top, int right, int bottom) = 0;

private:
    CanvasFont font_;
    int unitsPerInch_ = 72;
    int penWidth_ = 1;
    int penX_ = 0;
    int penY_ = 0;
};
