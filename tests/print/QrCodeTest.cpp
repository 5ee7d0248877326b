#include "print/QrCode.h"
#include "print/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace {

TEST(QrCode, ALabelsPayloadIsAVersionTwoCodeWithItsFinderPatterns) {
    const auto code = encodeQr("ZTD 17 01.02.2028");
    ASSERT_TRUE(code);
    EXPECT_EQ(code->size, 25);
    // The finder pattern in each of three corners: a dark ring, a light ring, a dark core.
    for (const auto& [left, top] : {std::pair{0, 0}, std::pair{18, 0}, std::pair{0, 18}}) {
        EXPECT_TRUE(code->isDark(left, top));
        EXPECT_TRUE(code->isDark(left + 6, top + 6));
        EXPECT_FALSE(code->isDark(left + 1, top + 1));
        EXPECT_TRUE(code->isDark(left + 3, top + 3));
    }
}

TEST(QrCode, TextTooLongForAnyCodeGivesNothing) {
    EXPECT_FALSE(encodeQr(QByteArray(8000, 'x')));
}

TEST(QrCode, EveryDarkModuleIsFilledOnceAndNothingElseIsDrawn) {
    const auto code = encodeQr("ZTD 4711 31.12.2027");
    ASSERT_TRUE(code);
    RecordingCanvas recording;
    MetricCanvas canvas(recording);
    const int left = 1000;
    const int top = 2000;
    const int module = 80;
    drawQr(canvas, Mm100(left), Mm100(top), Mm100(module), *code);
    ASSERT_FALSE(recording.ops().isEmpty());
    // The top row begins with the finder pattern's seven dark modules.
    EXPECT_EQ(recording.ops().first(), (CanvasOp{CanvasOp::Kind::Fill,
                                                 left,
                                                 top,
                                                 left + 7 * module,
                                                 top + module,
                                                 {},
                                                 recording.font(),
                                                 recording.fontHeight(),
                                                 recording.penWidth()}));
    QList<bool> drawn(code->size * code->size, false);
    for (const CanvasOp& op : recording.ops()) {
        ASSERT_EQ(op.kind, CanvasOp::Kind::Fill);
        ASSERT_EQ(op.y2 - op.y1, module);
        ASSERT_EQ((op.x1 - left) % module, 0);
        ASSERT_EQ((op.x2 - left) % module, 0);
        ASSERT_EQ((op.y1 - top) % module, 0);
        const int row = (op.y1 - top) / module;
        for (int column = (op.x1 - left) / module; column < (op.x2 - left) / module; ++column) {
            ASSERT_FALSE(drawn[row * code->size + column]);
            drawn[row * code->size + column] = true;
        }
    }
    EXPECT_EQ(drawn, code->dark);
}

} // namespace
