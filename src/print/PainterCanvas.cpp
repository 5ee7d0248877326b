#include "PainterCanvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <cmath>

QFont PainterCanvas::qtFont(const CanvasFont& font, int height) {
    QFont result(font.name);
    // Pixel sizes are logical units under the page's scaling; point sizes would
    // be scaled a second time.
    result.setPixelSize(height > 0 ? height : 1);
    result.setBold(font.bold);
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    if (font.pitch == FontPitch::Fixed)
        result.setFixedPitch(true);
    // Widths must not depend on the printer's resolution.
    result.setHintingPreference(QFont::PreferNoHinting);
    return result;
}

void PainterCanvas::drawText(int x, int y, const QString& text) {
    if (!painter_)
        return;
    const QFont qfont = qtFont(font(), fontHeight());
    painter_->setFont(qfont);
    painter_->setPen(Qt::black);
    painter_->drawText(QPointF(x, y + QFontMetricsF(qfont).ascent()), text);
}

int PainterCanvas::measureText(const QString& text) const {
    return static_cast<int>(
        std::lround(QFontMetricsF(qtFont(font(), fontHeight())).horizontalAdvance(text)));
}

void PainterCanvas::applyPen() {
    painter_->setPen(QPen(Qt::black, penWidth(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void PainterCanvas::drawLine(int x1, int y1, int x2, int y2) {
    if (!painter_)
        return;
    applyPen();
    painter_->drawLine(x1, y1, x2, y2);
}

void PainterCanvas::drawRectangle(int left, int top, int right, int bottom) {
    if (!painter_)
        return;
    applyPen();
    painter_->setBrush(Qt::white);
    painter_->drawRect(QRectF(QPointF(left, top), QPointF(right, bottom)).normalized());
}

void PainterCanvas::drawFrame(int left, int top, int right, int bottom) {
    if (!painter_)
        return;
    applyPen();
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRect(QRectF(QPointF(left, top), QPointF(right, bottom)).normalized());
}

void PainterCanvas::drawFill(int left, int top, int right, int bottom) {
    if (!painter_)
        return;
    painter_->fillRect(QRectF(QPointF(left, top), QPointF(right, bottom)).normalized(), Qt::black);
}
