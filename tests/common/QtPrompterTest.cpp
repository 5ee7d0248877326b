#include "common/Prompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

TEST(QtPrompter, DelphiStyleFiltersBecomeQtNameFilters) {
    EXPECT_EQ(QtPrompter::qtNameFilter(QStringLiteral("Protokolldateien (*.pro)|*.pro")),
              QStringLiteral("Protokolldateien (*.pro)"));
    EXPECT_EQ(QtPrompter::qtNameFilter(QStringLiteral("Textdateien|*.txt;*.csv|Alle|*")),
              QStringLiteral("Textdateien (*.txt *.csv);;Alle (*)"));
}

namespace {

struct SeenBox {
    QString caption, text;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Reads the message box once it is up and presses the button with the given text.
void pressWhenShown(SeenBox& seen, const QString& press) {
    QTimer::singleShot(0, [&seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), {}, box->icon()};
        for (QAbstractButton* button : box->buttons())
            seen.buttons << button->text();
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == press)
                button->click();
        }
    });
}

} // namespace

TEST(QtPrompter, MessageBoxesShowGermanButtonsAndReportTheChoice) {
    QtPrompter prompter;
    SeenBox seen;

    pressWhenShown(seen, QStringLiteral("&Nein"));
    EXPECT_EQ(prompter.message(QStringLiteral("Sollen die Änderungen gespeichert werden?"),
                               QStringLiteral("Frage"), Prompter::Buttons::YesNo),
              Prompter::Answer::No);
    EXPECT_EQ(seen.caption, QStringLiteral("Frage"));
    EXPECT_EQ(seen.text, QStringLiteral("Sollen die Änderungen gespeichert werden?"));
    EXPECT_EQ(seen.buttons, (QStringList{QStringLiteral("&Ja"), QStringLiteral("&Nein")}));
    EXPECT_EQ(seen.icon, QMessageBox::Question);

    pressWhenShown(seen, QStringLiteral("Abbrechen"));
    EXPECT_EQ(prompter.message(QStringLiteral("x"), QStringLiteral("Warnung"),
                               Prompter::Buttons::OkCancel),
              Prompter::Answer::Cancel);
    EXPECT_EQ(seen.buttons, (QStringList{QStringLiteral("OK"), QStringLiteral("Abbrechen")}));
    EXPECT_EQ(seen.icon, QMessageBox::Warning);

    pressWhenShown(seen, QStringLiteral("OK"));
    EXPECT_EQ(prompter.message(QStringLiteral("Kein Drucker im System vorhanden!"),
                               QStringLiteral("Fehler"), Prompter::Buttons::Ok),
              Prompter::Answer::Ok);
    EXPECT_EQ(seen.buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
}
