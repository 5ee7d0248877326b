#include "tester/SettingsMenu.h"
#include "report/ReportState.h"
#include "tester/TesterConnection.h"

#include <gtest/gtest.h>

namespace {

QByteArray keys(const std::vector<std::uint8_t>& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

TEST(SettingsMenu, ClickSendsTheKeysOfTheDistance) {
    struct Case {
        int version;
        int from, to;
        QByteArray keys;
    };
    const Case cases[] = {
        // Four items: forward for +1, -3 and two steps either way; back for -1, +3.
        {10, 1, 2, "\x02"},
        {10, 1, 3, "\x02\x02"},
        {10, 4, 1, "\x02"},
        {10, 2, 1, "\x01"},
        {10, 3, 1, "\x02\x02"},
        {10, 1, 4, "\x01"},
        {8, 1, 4, "\x01"},
        {8, 4, 2, "\x02\x02"},
        {6, 4, 3, "\x01"},
        {10, 3, 3, ""},
        // Three items: forward for +1, -2; back for -1, +2.
        {5, 1, 2, "\x02"},
        {5, 3, 1, "\x02"},
        {5, 2, 1, "\x01"},
        {5, 1, 3, "\x01"},
        {1, 2, 2, ""},
    };
    for (const Case& c : cases) {
        SettingsMenu menu;
        menu.open(c.version);
        menu.clickOn(c.from);
        EXPECT_EQ(keys(menu.clickOn(c.to)), c.keys)
            << c.version << ": " << c.from << " -> " << c.to;
        EXPECT_EQ(menu.cursor(), c.to);
    }
}

TEST(SettingsMenu, KeysRoundTheEnd) {
    SettingsMenu menu;
    menu.open(9);
    menu.back();
    EXPECT_EQ(menu.cursor(), 4);
    EXPECT_EQ(menu.item(menu.cursor()), SettingsMenu::Item::Back);
    menu.forward();
    EXPECT_EQ(menu.cursor(), 1);
    menu.open(5);
    menu.back();
    EXPECT_EQ(menu.cursor(), 3);
    EXPECT_EQ(menu.item(3), SettingsMenu::Item::Back);
}

TEST(SettingsMenu, ClassStepsRoundAndVersionSixIsNewStyle) {
    EXPECT_EQ(nextProtectionClass(1), 2);
    EXPECT_EQ(nextProtectionClass(3), 4);
    EXPECT_EQ(nextProtectionClass(4), 1);
    // The class item of a version-6 tester reads with one space.
    SettingsMenu menu;
    menu.open(6);
    menu.forward();
    TesterConnection connection;
    ReportState report;
    report.protectionClass = 1;
    EXPECT_EQ(menu.select(6, connection, report).classCaption,
              std::optional<QString>(QStringLiteral("Schutzklasse 2")));
}

} // namespace
