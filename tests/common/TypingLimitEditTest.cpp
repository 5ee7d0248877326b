#include "common/TypingLimitEdit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(TypingLimitEditTest, TypingAndPastingStopAtTheLimit) {
    TypingLimitEdit edit(5);
    QTest::keyClicks(&edit, QStringLiteral("1234567"));
    EXPECT_EQ(edit.text(), QStringLiteral("12345"));

    // A paste that does not fit is refused, one that fits is taken.
    edit.setText(QStringLiteral("12"));
    edit.home(false);
    QGuiApplication::clipboard()->setText(QStringLiteral("abcd"));
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), QStringLiteral("12"));
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), QStringLiteral("abc12"));
}

TEST(TypingLimitEditTest, ALongerTextFromTheProgramStaysWhole) {
    TypingLimitEdit edit(5);
    edit.setText(QStringLiteral("Nachprüfung"));
    EXPECT_EQ(edit.text(), QStringLiteral("Nachprüfung"));
    EXPECT_TRUE(edit.hasAcceptableInput());

    QTest::keyClicks(&edit, QStringLiteral("x"));
    EXPECT_EQ(edit.text(), QStringLiteral("Nachprüfung"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClicks(&edit, QStringLiteral("NGX"));
    EXPECT_EQ(edit.text(), QStringLiteral("NachprüfuNG"));
    // Undo may bring back what the program set.
    for (int i = 0; i < 10 && edit.isUndoAvailable(); ++i)
        QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), QStringLiteral("Nachprüfung"));
    QTest::keyClicks(&edit, QStringLiteral("x"));
    EXPECT_EQ(edit.text(), QStringLiteral("Nachprüfung"));

    // A text the program sets later sets the length anew.
    edit.setText(QStringLiteral("ab"));
    QTest::keyClicks(&edit, QStringLiteral("cdefgh"));
    EXPECT_EQ(edit.text(), QStringLiteral("abcde"));
}

} // namespace
