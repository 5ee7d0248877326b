#pragma once

#include "Canvas.h"
#include "Mm100.h"

// The canvas of a page laid out in hundredths of a millimetre
// (TScaling::pscMetric100): layouts give and take Mm100, never bare numbers.
class MetricCanvas {
public:
    explicit MetricCanvas(Canvas& canvas)
        : canvas_(canvas) {}

    // Character height of the current font.
    Mm100 fontHeight() const { return Mm100(canvas_.fontHeight()); }
    Mm100 textWidth(const QString& text) const { return Mm100(canvas_.textWidth(text)); }
    Mm100 penWidth() const { return Mm100(canvas_.penWidth()); }
    void setPenWidth(Mm100 width) { canvas_.setPenWidth(width.value); }

    void text(Mm100 x, Mm100 y, const QString& text) { canvas_.textOut(x.value, y.value, text); }
    void moveTo(Mm100 x, Mm100 y) { canvas_.moveTo(x.value, y.value); }
    void lineTo(Mm100 x, Mm100 y) { canvas_.lineTo(x.value, y.value); }
    void line(Mm100 x1, Mm100 y1, Mm100 x2, Mm100 y2) {
        canvas_.line(x1.value, y1.value, x2.value, y2.value);
    }
    void rectangle(Mm100 left, Mm100 top, Mm100 right, Mm100 bottom) {
        canvas_.rectangle(left.value, top.value, right.value, bottom.value);
    }
    void frame(Mm100 left, Mm100 top, Mm100 right, Mm100 bottom) {
        canvas_.frame(left.value, top.value, right.value, bottom.value);
    }
    void fill(Mm100 left, Mm100 top, Mm100 right, Mm100 bottom) {
        canvas_.fill(left.value, top.value, right.value, bottom.value);
    }

private:
    Canvas& canvas_;
};
