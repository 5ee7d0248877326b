#pragma once

#include "MetricCanvas.h"

#include <QByteArray>
#include <QList>

#include <optional>

// A QR code as its square of modules, row by row from the top left.
struct QrCode {
    // Modules per side, without the quiet zone around them.
    int size = 0;
    QList<bool> dark;

    bool isDark(int column, int row) const { return dark[row * size + column]; }
};

// The code of the text with error correction level M (a worn label still
// reads); nothing when the text is too long for any QR code.
std::optional<QrCode> encodeQr(const QByteArray& text);

// Draws the dark modules, each `module` square, from the top left corner; the
// quiet zone around them is the caller's to keep free. Each run of dark
// modules in a row is one fill, so no seam shows between neighbours.
void drawQr(MetricCanvas& canvas, Mm100 left, Mm100 top, Mm100 module, const QrCode& code);
