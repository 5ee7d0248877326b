#include "Printers.h"
#include "ScriptedPrompter.h"
#include "addresses/TFormKdnr.h"
#include "common/AppState.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct Entry {
    QString typed;   // as the keys arrive
    int entered;     // numberEntered afterwards
    qint32 number;   // number afterwards
    QString message; // refusal shown, empty when none
};

} // namespace

TEST(CustomerNumberEntry, NumbersAndRefusals) {
    const Entry cases[] = {
        {QStringLiteral("0"), 1, 0, {}},
        {QStringLiteral("4711"), 1, 4711, {}},
        {QStringLiteral("2147483647"), 1, 2147483647, {}},
        {QStringLiteral("12  "), 1, 12, {}},
        {QString(), 0, -1, QStringLiteral("'' ist kein gültiger Integerwert")},
        {QStringLiteral("12 3"), 0, -1, QStringLiteral("'12 3' ist kein gültiger Integerwert")},
        {QStringLiteral("2147483648"), 0, -1,
         QStringLiteral("'2147483648' ist kein gültiger Integerwert")},
        {QStringLiteral("12ab3"), 1, 123, {}}, // letters never reach the field
    };
    for (const Entry& c : cases) {
        AppState state;
        state.customerChoice.number = -1;
        ScriptedPrompter prompter;
        TFormKdnr dialog(state, prompter);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Eingabe Kundennummer"));
        QTimer::singleShot(0, &dialog, [&] {
            auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("MaskEdit1"));
            QTest::keyClicks(edit, c.typed);
            dialog.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
            // A refused entry leaves the dialog open; end it the other way.
            if (dialog.isVisible())
                dialog.findChild<QPushButton*>(QStringLiteral("Button2"))->click();
        });
        dialog.exec();
        EXPECT_EQ(state.customerChoice.numberEntered, c.entered) << c.typed.toStdString();
        EXPECT_EQ(state.customerChoice.number, c.number) << c.typed.toStdString();
        EXPECT_EQ(prompter.messages(), c.message.isEmpty()
                                           ? QStringList()
                                           : QStringList{QStringLiteral("Fehler|") + c.message})
            << c.typed.toStdString();
    }
}

TEST(CustomerNumberEntry, StartsEmptyEachTimeAndAbbruchIsNotATabStop) {
    AppState state;
    ScriptedPrompter prompter;
    TFormKdnr dialog(state, prompter);
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("MaskEdit1"));
    auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("Button2"));
    EXPECT_FALSE(cancel->focusPolicy() & Qt::TabFocus);
    edit->setText(QStringLiteral("99"));
    state.customerChoice.numberEntered = 1;
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_EQ(edit->text(), QString());
        cancel->click();
    });
    dialog.exec();
    EXPECT_EQ(state.customerChoice.numberEntered, 0);
}

// Window managers draw a caption larger and bold, beside their title-bar
// buttons; the whole caption must still fit.
TEST(CustomerNumberEntry, TheCaptionFits) {
    AppState state;
    ScriptedPrompter prompter;
    TFormKdnr dialog(state, prompter);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Eingabe Kundennummer"));
    QFont caption = dialog.font();
    caption.setBold(true);
    caption.setPointSizeF(caption.pointSizeF() + 2);
    constexpr int kThreeButtons = 3 * 32;
    EXPECT_GE(dialog.width(),
              QFontMetrics(caption).horizontalAdvance(dialog.windowTitle()) + kThreeButtons);
}
