#include "Printers.h"
#include "ScriptedPrompter.h"
#include "addresses/TFormKdnr.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct Entry {
    QString typed;                // as the keys arrive
    std::optional<qint32> number; // the answer: nothing when the entry was not taken
    QString message;              // refusal shown, empty when none
};

} // namespace

TEST(CustomerNumberEntry, NumbersAndRefusals) {
    const Entry cases[] = {
        {QStringLiteral("0"), 0, {}},
        {QStringLiteral("4711"), 4711, {}},
        {QStringLiteral("2147483647"), 2147483647, {}},
        {QStringLiteral("12  "), 12, {}},
        {QString(), std::nullopt, QStringLiteral("'' ist kein gültiger Integerwert")},
        {QStringLiteral("12 3"), std::nullopt,
         QStringLiteral("'12 3' ist kein gültiger Integerwert")},
        {QStringLiteral("2147483648"), std::nullopt,
         QStringLiteral("'2147483648' ist kein gültiger Integerwert")},
        {QStringLiteral("12ab3"), 123, {}}, // letters never reach the field
    };
    for (const Entry& c : cases) {
        ScriptedPrompter prompter;
        TFormKdnr dialog(prompter);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Eingabe Kundennummer"));
        QTimer::singleShot(0, &dialog, [&] {
            auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("MaskEdit1"));
            QTest::keyClicks(edit, c.typed);
            dialog.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
            // A refused entry leaves the dialog open; end it the other way.
            if (dialog.isVisible())
                dialog.findChild<QPushButton*>(QStringLiteral("Button2"))->click();
        });
        EXPECT_EQ(dialog.enterNumber(), c.number) << c.typed.toStdString();
        EXPECT_EQ(prompter.messages(), c.message.isEmpty()
                                           ? QStringList()
                                           : QStringList{QStringLiteral("Fehler|") + c.message})
            << c.typed.toStdString();
    }
}

TEST(CustomerNumberEntry, StartsEmptyEachTimeAndAbbruchIsNotATabStop) {
    ScriptedPrompter prompter;
    TFormKdnr dialog(prompter);
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("MaskEdit1"));
    auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("Button2"));
    EXPECT_FALSE(cancel->focusPolicy() & Qt::TabFocus);
    edit->setText(QStringLiteral("99"));
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_EQ(edit->text(), QString());
        cancel->click();
    });
    EXPECT_EQ(dialog.enterNumber(), std::nullopt);
}

// Window managers draw a caption larger and bold, beside their title-bar
// buttons; the whole caption must still fit.
TEST(CustomerNumberEntry, TheCaptionFits) {
    ScriptedPrompter prompter;
    TFormKdnr dialog(prompter);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Eingabe Kundennummer"));
    QFont caption = dialog.font();
    caption.setBold(true);
    caption.setPointSizeF(caption.pointSizeF() + 2);
    constexpr int kThreeButtons = 3 * 32;
    EXPECT_GE(dialog.width(),
              QFontMetrics(caption).horizontalAdvance(dialog.windowTitle()) + kThreeButtons);
}
