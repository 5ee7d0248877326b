#include "common/WindowScaling.h"

#include <QWidget>

#include <gtest/gtest.h>

TEST(WindowScaling, IntegerRuleAtCommonScreenDensities) {
    struct Case {
        int length, ppi, expected;
    };
    // (ppi * 100 / 96) * length / 100, every division truncating.
    const Case cases[] = {{364, 96, 364}, {284, 96, 284}, {364, 120, 455}, {610, 144, 915},
                          {400, 97, 404}, {610, 72, 457}, {99, 95, 97},    {0, 144, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(scaledLength(c.length, c.ppi), c.expected) << c.length << " @ " << c.ppi;
}

TEST(WindowScaling, WindowKeepsItsDesignSizeOnA96PpiScreen) {
    QWidget window;
    window.resize(610, 400);
    scaleWindow(window);
    EXPECT_EQ(window.size(), QSize(610, 400));
}
