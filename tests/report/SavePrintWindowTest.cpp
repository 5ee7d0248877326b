#include "PdfPages.h"
#include "Printers.h"
#include "SampleReport.h"
#include "ScriptedPrompter.h"
#include "print/RecordingPrintTarget.h"
#include "report/ProtocolFile.h"
#include "report/ReportSession.h"
#include "report/TForm10.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using Kind = ScriptedPrompter::Kind;

class SavePrintWindowTest : public ::testing::Test {
protected:
    SavePrintWindowTest() {
        state.record = sampleReport();
        state.report.protectionClass = 1;
        state.report.testKind = 1;
    }

    TForm10& window() {
        if (!window_)
            window_ = std::make_unique<TForm10>(state, prompter, [this] { return printer; });
        return *window_;
    }

    QPushButton& button(const char* name) {
        return *window().findChild<QPushButton*>(QLatin1String(name));
    }

    // Shows the window as the main window does and lets `act` work on it.
    void run(const std::function<void()>& act, SavePrintMode mode = SavePrintMode::SaveAndPrint) {
        QTimer::singleShot(0, &window(), [&] {
            act();
            if (window().isVisible())
                button("ButtonPrWeg").click();
        });
        window().run(mode);
    }

    // The kinds of dialog the prompter was asked for, in order.
    std::vector<Kind> dialogs() const {
        std::vector<Kind> kinds;
        for (const auto& call : prompter.calls())
            kinds.push_back(call.kind);
        return kinds;
    }

    QTemporaryDir dir;
    ReportSession state;
    ScriptedPrompter prompter;
    std::shared_ptr<RecordingPrintTarget> printer = std::make_shared<RecordingPrintTarget>();
    std::unique_ptr<TForm10> window_;
};

} // namespace

TEST_F(SavePrintWindowTest, PrintOnlyShowsTheFileAndOnlyThePrintButtonUntilClosed) {
    state.protocolFileName = QStringLiteral("/daten/kunden/2026-0815.pro");
    prompter.acceptDialog();
    run(
        [&] {
            EXPECT_EQ(window().windowTitle(), QStringLiteral("Protokoll drucken"));
            auto* label = window().findChild<QLabel*>(QStringLiteral("Label1"));
            EXPECT_TRUE(label->isVisible());
            EXPECT_EQ(label->text(),
                      QStringLiteral("Ausgewählte Datei:  /daten/kunden/2026-0815.pro"));
            for (const char* name : {"ButtonDrucklive", "ButtonPrWeg"})
                EXPECT_TRUE(button(name).isVisible() && button(name).isEnabled()) << name;
            for (const char* name : {"ButtonPrdat", "ButtonPrDru", "ButtonPrSpDr"})
                EXPECT_FALSE(button(name).isVisible() || button(name).isEnabled()) << name;
            button("ButtonDrucklive").click();
            button("ButtonPrWeg").click();
        },
        SavePrintMode::PrintOnly);
    ASSERT_EQ(printer->jobs().size(), 1);
    EXPECT_EQ(printer->jobs()[0].settings.title, QStringLiteral("ZT0701"));
    EXPECT_EQ(printer->jobs()[0].settings.orientation, TXPrinterOrientation::xpoPortrait);
    EXPECT_EQ(dialogs(), std::vector{Kind::PrintDialog});

    // Closing left everything ready for the next report.
    EXPECT_EQ(state.protocolFileName, QString());
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Protokoll speichern/drucken"));
    EXPECT_FALSE(window().findChild<QLabel*>(QStringLiteral("Label1"))->isVisibleTo(&window()));
    EXPECT_FALSE(button("ButtonDrucklive").isVisibleTo(&window()));
    for (const char* name : {"ButtonPrdat", "ButtonPrDru", "ButtonPrSpDr", "ButtonPrWeg"})
        EXPECT_TRUE(button(name).isVisibleTo(&window()) && button(name).isEnabled()) << name;
    // Shown again without a mode, as the archive and the hand-over show it: full mode.
    QTimer::singleShot(0, &window(), [&] {
        EXPECT_TRUE(button("ButtonPrdat").isVisible());
        EXPECT_FALSE(button("ButtonDrucklive").isVisible());
        window().reject();
    });
    window().exec();
}

TEST_F(SavePrintWindowTest, SaveProposesTheRememberedFileAndWritesTheImage) {
    const QString path = dir.filePath(QStringLiteral("vorlage.pro"));
    state.protocolFileName = path;
    prompter.chooseFile(path);
    run([&] { button("ButtonPrdat").click(); });

    ASSERT_EQ(prompter.calls().size(), 1u);
    const auto& dialog = prompter.calls()[0].dialog;
    EXPECT_EQ(dialog.title, QStringLiteral("Speichern unter"));
    EXPECT_EQ(dialog.filter, QStringLiteral("Protokolldateien (*.pro)|*.pro"));
    EXPECT_EQ(dialog.defaultSuffix, QStringLiteral("pro"));
    EXPECT_EQ(dialog.fileName, path);
    EXPECT_TRUE(dialog.overwritePrompt);
    EXPECT_EQ(state.savePath, path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), protocol_file::buildProtocolImage(sampleReport()));
    EXPECT_TRUE(printer->jobs().isEmpty());
}

TEST_F(SavePrintWindowTest, SaveAndPrintPrintsAlsoWhenTheSaveWasCancelled) {
    prompter.cancelDialog();
    prompter.answer(Prompter::Answer::Ok);
    prompter.acceptDialog();
    run([&] { button("ButtonPrSpDr").click(); });
    EXPECT_EQ(dialogs(), (std::vector{Kind::SaveFile, Kind::Message, Kind::PrintDialog}));
    EXPECT_EQ(prompter.messages(), QStringList{"Hinweis|Datei wurde nicht gespeichert! "});
    EXPECT_EQ(printer->jobs().size(), 1);
    EXPECT_EQ(state.savePath, QString());
}

TEST_F(SavePrintWindowTest, AFailedWriteIsReported) {
    const QString path = dir.filePath(QStringLiteral("fehlt/bericht.pro"));
    prompter.chooseFile(path);
    run([&] { button("ButtonPrdat").click(); });
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_TRUE(prompter.messages()[0].startsWith(
        QStringLiteral("Fehler|Die Datei \"%1\" konnte nicht geschrieben werden: ").arg(path)))
        << prompter.messages()[0].toStdString();
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(SavePrintWindowTest, NothingIsPrintedWithoutPrinterOrWhenThePrintDialogIsCancelled) {
    prompter.cancelDialog();
    run([&] { button("ButtonPrDru").click(); });
    EXPECT_EQ(dialogs(), std::vector{Kind::PrintDialog});
    EXPECT_TRUE(printer->jobs().isEmpty());

    printer = std::make_shared<RecordingPrintTarget>(600, false);
    run([&] { button("ButtonPrDru").click(); });
    EXPECT_EQ(prompter.messages(), QStringList{"Fehler|Kein Drucker im System vorhanden!"});
    EXPECT_EQ(dialogs(), (std::vector{Kind::PrintDialog, Kind::Message}));
    EXPECT_TRUE(printer->jobs().isEmpty());
}

TEST_F(SavePrintWindowTest, PdfAndPreviewBesidePrintingInBothModesWithoutAPrinter) {
    printer = std::make_shared<RecordingPrintTarget>(600, false);
    for (const SavePrintMode mode : {SavePrintMode::SaveAndPrint, SavePrintMode::PrintOnly}) {
        const QString path =
            dir.filePath(mode == SavePrintMode::PrintOnly ? "nur.pdf" : "voll.pdf");
        prompter.chooseFile(path);
        run(
            [&] {
                EXPECT_EQ(button("ButtonPdf").text(), QStringLiteral("&PDF speichern…"));
                EXPECT_EQ(button("ButtonVorschau").text(), QStringLiteral("&Vorschau"));
                for (const char* name : {"ButtonPdf", "ButtonVorschau"})
                    EXPECT_TRUE(button(name).isVisible() && button(name).isEnabled()) << name;
                button("ButtonPdf").click();
                button("ButtonVorschau").click();
            },
            mode);
        QFile pdf(path);
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
        EXPECT_EQ(pdfPageCount(pdf.readAll()), 1);
        EXPECT_EQ(pdfPageCount(prompter.previewPdf()), 1);
    }
    EXPECT_EQ(dialogs(),
              (std::vector{Kind::SaveFile, Kind::Preview, Kind::SaveFile, Kind::Preview}));
    EXPECT_EQ(prompter.calls()[0].dialog.fileName, QStringLiteral("2026-0815.pdf"));
    EXPECT_TRUE(printer->jobs().isEmpty());
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.messages().join('\n').toStdString();
}
