#include "common/QtPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QThread>
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

// The progress window reads as the step counts; Enter (pressed to confirm a
// message that came up during the step) does not stop it, Escape and the
// button do.
TEST(QtPrompter, ProgressCountsAndStopsOnlyWhenAskedTo) {
    QWidget owner;
    QtPrompter prompter(&owner);
    const auto progress =
        prompter.progress({QStringLiteral("Daten-Export"), QStringLiteral("Export"),
                           QStringLiteral("Datensätzen"), 12345, true});
    QProgressDialog* dialog = owner.findChild<QProgressDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Daten-Export"));
    EXPECT_EQ(dialog->labelText(), QStringLiteral("Export: 0 von 12 345 Datensätzen"));
    dialog->show();
    QTest::qWait(50);
    EXPECT_TRUE(progress->update(1000));
    EXPECT_EQ(dialog->labelText(), QStringLiteral("Export: 1 000 von 12 345 Datensätzen"));
    QTest::keyClick(dialog, Qt::Key_Return);
    EXPECT_TRUE(progress->update(2000));
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_FALSE(progress->update(3000));

    const auto other =
        prompter.progress({QStringLiteral("Datenübernahme"), QStringLiteral("Import"),
                           QStringLiteral("Dateien"), 3, false});
    QProgressDialog* fixed = owner.findChildren<QProgressDialog*>().last();
    EXPECT_EQ(fixed->findChild<QPushButton*>(), nullptr);
    QTest::keyClick(fixed, Qt::Key_Escape);
    EXPECT_TRUE(other->update(1));
}

// A question of the step (here a dialog open for 700 ms) keeps the input: the
// progress window comes with the next count after half a second, not during
// the question, where its modality would lock the question's window.
TEST(QtPrompter, ProgressNeverShowsOverAQuestionOfItsStep) {
    QWidget owner;
    owner.show();
    QtPrompter prompter(&owner);
    const auto progress =
        prompter.progress({QStringLiteral("Datenübernahme"), QStringLiteral("Import"),
                           QStringLiteral("Dateien"), 2, true});
    QProgressDialog* dialog = owner.findChild<QProgressDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(progress->update(0));

    QDialog question;
    bool progressShownDuringQuestion = true;
    QTimer::singleShot(700, &question, [&] {
        progressShownDuringQuestion = dialog->isVisible();
        question.accept();
    });
    question.exec();
    EXPECT_FALSE(progressShownDuringQuestion);

    QTest::qWait(50);
    EXPECT_TRUE(progress->update(1));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->labelText(), QStringLiteral("Import: 1 von 2 Dateien"));
}

TEST(QtPrompter, AShownProgressLetsTheEventsThroughSoWindowsRepaint) {
    QWidget owner;
    owner.show();
    QtPrompter prompter(&owner);
    const auto progress =
        prompter.progress({QStringLiteral("Datenübernahme"), QStringLiteral("Import"),
                           QStringLiteral("Datensätzen"), 3, true});
    QTest::qWait(600);
    EXPECT_TRUE(progress->update(1));
    ASSERT_TRUE(owner.findChild<QProgressDialog*>()->isVisible());
    // The step runs on without returning to the event loop; only the
    // progress lets a pending event (a repaint, a click) through.
    bool delivered = false;
    QTimer::singleShot(0, &owner, [&] { delivered = true; });
    QThread::msleep(50);
    EXPECT_TRUE(progress->update(2));
    EXPECT_TRUE(delivered);
}
