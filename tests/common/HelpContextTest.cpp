#include "common/HelpContext.h"

#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

TEST(HelpContext, WidgetFindsTheTopicOfTheNearestWindowAroundIt) {
    QWidget window;
    auto* panel = new QWidget(&window);
    auto* edit = new QLineEdit(panel);
    EXPECT_EQ(help::contextAround(edit), help::None);

    help::setContext(window, help::Archive);
    EXPECT_EQ(help::contextAround(edit), 4025);

    help::setContext(*panel, help::Addresses);
    EXPECT_EQ(help::contextAround(edit), 4020);
    EXPECT_EQ(help::contextOf(*edit), 0);
    EXPECT_EQ(help::contextAround(nullptr), 0);
}
