#include "Printers.h"
#include "ScriptedPrompter.h"
#include "report/DateEntry.h"
#include "report/ProtocolFile.h"
#include "report/ReportSession.h"
#include "report/TForm11.h"
#include "report/TForm12.h"
#include "report/TFormDatum.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
const QString kFormat =
    QStringLiteral("Ihre Eingabe entspricht nicht dem geforderten Format. Bitte überprüfen.");
const QString kNoSuchDate = QStringLiteral("Dieses Datum gibt es nicht. Bitte überprüfen.");

template <typename T> T* child(QWidget& parent, const char* name) {
    T* found = parent.findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}
} // namespace

TEST(DateEntry, OnlyRealCalendarDatesPass) {
    struct Case {
        const char* text;
        std::optional<QString> message;
    };
    const Case cases[] = {
        {"05.01.2001", std::nullopt},
        {"29.02.2012", std::nullopt},
        {"31.12.2030", std::nullopt},
        {"31.02.2011", kNoSuchDate},
        {"29.02.2011", kNoSuchDate},
        {"32.01.2011", kNoSuchDate},
        {"00.01.2011", kNoSuchDate},
        {"15.00.2011", kNoSuchDate},
        {"15.13.2011", kNoSuchDate},
        {"01.01.0000", kNoSuchDate},
        {"05.01.200", kFormat},
        {"05..2001", kFormat},
        {"", kFormat},
        {"05.01.2O01", kFormat},
    };
    for (const Case& c : cases)
        EXPECT_EQ(checkDateEntry(QLatin1String(c.text)), c.message) << c.text;
}

TEST(DateDialog, ShowsTheRejectedDateAndStaysUntilARealDateIsTyped) {
    ScriptedPrompter prompter;
    TFormDatum dialog(prompter);

    QTimer::singleShot(0, &dialog, [&] {
        auto* edit = child<QLineEdit>(dialog, "MaskEdit1");
        auto* next = child<QPushButton>(dialog, "Button1");
        EXPECT_EQ(child<QLabel>(dialog, "Label1")->text(),
                  QStringLiteral("ungültiges Datum in Datei /daten/alt.pro"));
        EXPECT_EQ(child<QLabel>(dialog, "LabelDatum")->text(), QStringLiteral("31.02.11"));
        EXPECT_EQ(child<QLabel>(dialog, "LabelWo")->text(), QStringLiteral("Datum:"));
        EXPECT_EQ(edit->text(), QStringLiteral(".."));

        QTest::keyClicks(edit, QStringLiteral("3102201"));
        next->click();
        QTest::keyClicks(edit, QStringLiteral("1"));
        next->click();
        dialog.reject(); // Escape does not leave
        EXPECT_TRUE(dialog.isVisible());
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("28022011"));
        next->click();
    });
    const QString date = dialog.askDate(
        {QStringLiteral("/daten/alt.pro"), QStringLiteral("31.02.11"), DateKind::TestDate});

    EXPECT_EQ(prompter.messages(), (QStringList{QStringLiteral("Fehler|") + kFormat,
                                                QStringLiteral("Fehler|") + kNoSuchDate}));
    EXPECT_EQ(date, QStringLiteral("28.02.2011"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(DateDialog, CaptionOfTheDateFollowsWhichDateItIs) {
    ScriptedPrompter prompter;
    TFormDatum dialog(prompter);
    auto* where = child<QLabel>(dialog, "LabelWo");
    EXPECT_EQ(where->text(), QStringLiteral("Nächster Prüfungstermin:"));
    const std::pair<DateKind, QString> cases[] = {
        {DateKind::NextTest, QStringLiteral("nächster Prüfungstermin:")},
        {DateKind::TestDate, QStringLiteral("Datum:")}};
    for (const auto& [kind, caption] : cases) {
        dialog.present({QStringLiteral("a.pro"), QStringLiteral("31.02.11"), kind});
        EXPECT_EQ(where->text(), caption) << static_cast<int>(kind);
    }
}

TEST(ReportQuestion, AnswersAndTheCloseBoxCountingAsNo) {
    TForm11 question;
    EXPECT_EQ(question.windowTitle(), QStringLiteral("Protokoll"));
    EXPECT_EQ(child<QLabel>(question, "Label1")->text(), QStringLiteral("Protokoll gewünscht ?"));

    const std::pair<const char*, bool> cases[] = {{"ButtonProtja", true},
                                                  {"ButtonProtnein", false},
                                                  {"ButtonProtja", true},
                                                  {nullptr, false}};
    for (const auto& [button, wanted] : cases) {
        QTimer::singleShot(0, &question, [&, button = button] {
            if (button)
                child<QPushButton>(question, button)->click();
            else
                question.close();
        });
        EXPECT_EQ(question.askReport(), wanted) << (button ? button : "close box");
    }
}

class TemplateQuestionTest : public ::testing::Test {
protected:
    TemplateQuestionTest()
        : question(state, prompter) {
        state.record.Termin = QStringLiteral("bleibt");
        state.record.Satz1 = 1;
        state.protocolFileName = QStringLiteral("vorher.pro");
    }

    void pressYes() {
        QTimer::singleShot(0, &question,
                           [this] { child<QPushButton>(question, "ButtonJa")->click(); });
        question.exec();
    }

    QTemporaryDir dir;
    ReportSession state;
    ScriptedPrompter prompter;
    TForm12 question;
};

TEST_F(TemplateQuestionTest, ChosenTemplateFillsTheRecordAndIsRemembered) {
    EXPECT_EQ(child<QLabel>(question, "Label1")->text(),
              QStringLiteral("Wollen Sie ein gespeichertes Protokoll als  Vorlage verwenden ?"));
    Protokoll saved;
    saved.Kunde1 = QStringLiteral("Elektro Schäfer");
    saved.Termin = QStringLiteral("01.2013");
    saved.Satz1 = 1;
    const QString path = dir.filePath(QStringLiteral("vorlage.pro"));
    ASSERT_FALSE(protocol_file::writeProtocolFile(path, protocol_file::buildProtocolImage(saved)));

    prompter.chooseFile(path);
    pressYes();

    ASSERT_EQ(prompter.calls().size(), 1u);
    EXPECT_EQ(prompter.calls()[0].caption, QStringLiteral("Vorlage auswählen"));
    EXPECT_EQ(prompter.calls()[0].text, QString());
    EXPECT_EQ(state.report.templateUsed, 1);
    EXPECT_EQ(state.protocolFileName, path);
    EXPECT_EQ(state.record.Kunde1, QStringLiteral("Elektro Schäfer"));
    EXPECT_EQ(state.record.Termin, QStringLiteral("bleibt"));
    EXPECT_EQ(state.record.Satz1, 0);
    EXPECT_FALSE(question.isVisible());
}

TEST_F(TemplateQuestionTest, CancelledDialogOrBrokenFileActsAsNo) {
    const ReportSession before = state;
    prompter.cancelDialog();
    pressYes();
    EXPECT_EQ(state.report.templateUsed, 0);
    EXPECT_EQ(state.record, before.record);
    EXPECT_EQ(state.protocolFileName, QStringLiteral("vorher.pro"));

    const QString shortFile = dir.filePath(QStringLiteral("kurz.pro"));
    QFile file(shortFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(100, 'A'));
    file.close();
    prompter.chooseFile(shortFile);
    pressYes();
    EXPECT_EQ(state.report.templateUsed, 0);
    EXPECT_EQ(state.record, before.record);
    EXPECT_EQ(state.protocolFileName, QStringLiteral("vorher.pro"));
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_TRUE(prompter.messages()[0].startsWith(QStringLiteral("Fehler|Die Datei")));
}
