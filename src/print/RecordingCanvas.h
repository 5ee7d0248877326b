#pragma once

#include "Canvas.h"

#include <QList>

// One thing drawn on a recording canvas, with the font or pen it was drawn with.
struct CanvasOp {
    // A rectangle is filled white, a frame is only the outline, a fill is black.
    enum class Kind { Text, Line, Rectangle, Frame, Fill };
    Kind kind = Kind::Text;
    int x1 = 0;
    int y1 = 0;
    int x2 = 0; // lines and boxes
    int y2 = 0;
    QString text;
    CanvasFont font;
    int fontHeight = 0;
    int penWidth = 0;

    bool operator==(const CanvasOp&) const = default;
};

// A canvas that keeps what is drawn on it instead of printing, so tests can
// check every text, line and box of a page. Every character is
// kCharWidthPercent of the font height wide, so centred texts are predictable.
class RecordingCanvas : public Canvas {
public:
    static constexpr int kCharWidthPercent = 60;

    const QList<CanvasOp>& ops() const { return ops_; }
    void clear() { ops_.clear(); }

protected:
    void drawText(int x, int y, const QString& text) override;
    int measureText(const QString& text) const override;
    void drawLine(int x1, int y1, int x2, int y2) override;
    void drawRectangle(int left, int top, int right, int bottom) override;
    void drawFrame(int left, int top, int right, int bottom) override;
    void drawFill(int left, int top, int right, int bottom) override;

private:
    QList<CanvasOp> ops_;
};
