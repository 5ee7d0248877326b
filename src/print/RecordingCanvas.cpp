#include "RecordingCanvas.h"

void RecordingCanvas::drawText(int x, int y, const QString& text) {
    ops_.append({CanvasOp::Kind::Text, x, y, 0, 0, text, font(), fontHeight(), penWidth()});
}

int RecordingCanvas::measureText(const QString& text) const {
    return static_cast<int>(text.size()) * fontHeight() * kCharWidthPercent / 100;
}

void RecordingCanvas::drawLine(int x1, int y1, int x2, int y2) {
    ops_.append({CanvasOp::Kind::Line, x1, y1, x2, y2, {}, font(), fontHeight(), penWidth()});
}

void RecordingCanvas::drawRectangle(int left, int top, int right, int bottom) {
    ops_.append({CanvasOp::Kind::Rectangle,
                 left,
                 top,
                 right,
                 bottom,
                 {},
                 font(),
                 fontHeight(),
                 penWidth()});
}

void RecordingCanvas::drawFrame(int left, int top, int right, int bottom) {
    ops_.append(
        {CanvasOp::Kind::Frame, left, top, right, bottom, {}, font(), fontHeight(), penWidth()});
}

void RecordingCanvas::drawFill(int left, int top, int right, int bottom) {
    ops_.append(
        {CanvasOp::Kind::Fill, left, top, right, bottom, {}, font(), fontHeight(), penWidth()});
}
