#include "QrCode.h"

#include <qrencode.h>

#include <memory>

std::optional<QrCode> encodeQr(const QByteArray& text) {
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> encoded(
        QRcode_encodeData(int(text.size()), reinterpret_cast<const unsigned char*>(text.data()), 0,
                          QR_ECLEVEL_M),
        &QRcode_free);
    if (!encoded)
        return std::nullopt;
    QrCode code;
    code.size = encoded->width;
    code.dark.reserve(code.size * code.size);
    // The lowest bit of each byte is the module's colour; the others say
    // which part of the symbol it belongs to.
    for (int i = 0; i < code.size * code.size; ++i)
        code.dark.append((encoded->data[i] & 1) != 0);
    return code;
}

void drawQr(MetricCanvas& canvas, Mm100 left, Mm100 top, Mm100 module, const QrCode& code) {
    for (int row = 0; row < code.size; ++row) {
        const Mm100 y = top + module * row;
        int column = 0;
        while (column < code.size) {
            if (!code.isDark(column, row)) {
                ++column;
                continue;
            }
            const int start = column;
            while (column < code.size && code.isDark(column, row))
                ++column;
            canvas.fill(left + module * start, y, left + module * column, y + module);
        }
    }
}
