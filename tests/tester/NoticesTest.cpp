#include "report/ReportSession.h"
#include "tester/MemoryVersion.h"
#include "tester/NoticeWindows.h"
#include "tester/TForm15.h"
#include "tester/TesterState.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

TEST(Notices, TextsCaptionsAndSizes) {
    struct Case {
        Notice notice;
        const char* name;
        QString caption, line1, line2;
        QSize size;
    };
    const Case cases[] = {
        {Notice::NoReaction,
         "Form4",
         "Hinweis",
         "Gerätetester reagiert nicht.",
         "Fernbedienung wird abgebrochen.",
         {230, 173}},
        {Notice::PortNotActivated,
         "Form5",
         "Hinweis",
         "Schnittstelle kann nicht aktiviert werden",
         "Bitte Schnittstellenauswahl überprüfen",
         {365, 201}},
        {Notice::Incompatible,
         "Form6",
         "Hinweis",
         "Die Software-Versionen von Gerätetester und PC sind nicht kompatibel",
         "Die Fernbedienung wird abgebrochen.",
         {390, 197}},
        {Notice::TransferError,
         "Form7",
         "Hinweis",
         "Fehler bei der Datenübertragung vom Gerätetester",
         "Fernbedienung wird abgebrochen",
         {365, 201}},
        {Notice::EndedByTester,
         "Form8",
         "Form8",
         "Fernbedienung wurde durch den Gerätetester beendet",
         "(Fehlercode: Form8)",
         {362, 190}},
    };
    QWidget parent;
    NoticeWindows notices;
    notices.createWindows(&parent);
    for (const Case& c : cases) {
        QDialog* window = notices.window(c.notice);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->objectName(), QLatin1String(c.name));
        EXPECT_EQ(window->windowTitle(), c.caption);
        EXPECT_EQ(window->findChild<QLabel*>("Label1")->text(), c.line1);
        EXPECT_EQ(window->findChild<QLabel*>("Label2")->text(), c.line2);
        EXPECT_EQ(window->size(), c.size);
        EXPECT_TRUE(window->isModal());
    }
    EXPECT_NE(dynamic_cast<TForm4*>(notices.window(Notice::NoReaction)), nullptr);
    EXPECT_NE(dynamic_cast<TForm8*>(notices.window(Notice::EndedByTester)), nullptr);
}

TEST(MemoryVersion, LabelByLetterAndVersion) {
    struct Case {
        int version;
        char shown, switched;
    };
    const Case cases[] = {
        {0, 'D', 'D'}, {1, 'B', 'B'}, {4, 'B', 'B'}, {5, 'C', 'C'},  {6, 'C', 'C'},
        {7, 'D', 'D'}, {8, 'E', 'E'}, {9, 'B', 'E'}, {10, 'B', 'E'},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(memoryVersionText(QLatin1Char('B'), c.version, false),
                  QStringLiteral("SW-Version Speicher : ") + QLatin1Char(c.shown))
            << c.version;
        EXPECT_EQ(memoryVersionText(QLatin1Char('B'), c.version, true),
                  QStringLiteral("SW-Version Speicher : ") + QLatin1Char(c.switched))
            << c.version;
        EXPECT_EQ(memoryVersionText(QLatin1Char('A'), c.version, false),
                  QStringLiteral("SW-Version Speicher : A"));
    }
}

TEST(MemoryVersion, WindowShowsAndSwitchesTheLetter) {
    ReportSession state;
    TesterState testerState;
    testerState.memorySoftwareVersion = QStringLiteral("B");
    testerState.connection.ProtocolVersion = 10;
    TForm15 window(testerState);
    auto* label = window.findChild<QLabel*>("Label1");
    EXPECT_EQ(label->text(), QStringLiteral("Label1"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("SW-Version Speicher"));
    EXPECT_EQ(window.findChild<QPushButton*>("Button1")->text(), QStringLiteral("Ändern "));

    // Showing twice without "Ändern " leaves the letter alone.
    for (int i = 0; i < 2; ++i) {
        window.show();
        EXPECT_EQ(label->text(), QStringLiteral("SW-Version Speicher : B"));
        window.hide();
    }
    EXPECT_EQ(testerState.memorySoftwareVersion, QStringLiteral("B"));
    window.show();
    window.findChild<QPushButton*>("Button1")->click();
    EXPECT_EQ(label->text(), QStringLiteral("SW-Version Speicher : A"));
    EXPECT_EQ(testerState.memorySoftwareVersion, QStringLiteral("A"));
    window.findChild<QPushButton*>("Button1")->click();
    EXPECT_EQ(label->text(), QStringLiteral("SW-Version Speicher : E"));
    EXPECT_EQ(testerState.memorySoftwareVersion, QStringLiteral("B"));
}

} // namespace
