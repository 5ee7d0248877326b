#pragma once

#include "Canvas.h"

class QFont;
class QPainter;

// A canvas that draws through a QPainter on a printer or PDF file. Without a
// painter it only measures: the private canvas of a machine without printer.
class PainterCanvas : public Canvas {
public:
    void setPainter(QPainter* painter) { painter_ = painter; }

    // The Qt font for a canvas font of the given character height; "Times New
    // Roman" and "Courier New" resolve to their metric twins (Liberation).
    static QFont qtFont(const CanvasFont& font, int height);

protected:
    void drawText(int x, int y, const QString& text) override;
    int measureText(const QString& text) const override;
    void drawLine(int x1, int y1, int x2, int y2) override;
    void drawRectangle(int left, int top, int right, int bottom) override;
    void drawFrame(int left, int top, int right, int bottom) override;
    void drawFill(int left, int top, int right, int bottom) override;

private:
    void applyPen();

    QPainter* painter_ = nullptr;
};
