#include "ArchiveWindowFixture.h"
#include "PdfPages.h"

#include <QFile>
#include <QMenu>

using namespace Qt::Literals::StringLiterals;

namespace {

QStringList captions(const QMenu& menu) {
    QStringList texts;
    for (const QAction* action : menu.actions())
        texts << (action->isSeparator() ? u"—"_s : action->text());
    return texts;
}

} // namespace

TEST_F(ArchiveWindowFixture, DruckenOffersPdfAndPreviewOfEachPrintoutWithoutAPrinter) {
    addCustomers({{0, u"Elektro Schulze"_s}, {3, u"Müller"_s}});
    addArchiveRows({{1, u"Müller"_s, 3, u"01.03.2027"_s}});
    printer = std::make_shared<RecordingPrintTarget>(600, false);
    const QString path = dir.filePath(u"Einzel.pdf"_s);
    prompter.chooseFile(path);
    run([&] {
        const auto* pdf = window.findChild<QMenu*>(u"PdfSpeichern1"_s);
        const auto* preview = window.findChild<QMenu*>(u"Vorschau1"_s);
        ASSERT_TRUE(pdf && preview);
        EXPECT_EQ(captions(*qobject_cast<QMenu*>(pdf->parent())),
                  (QStringList{u"&Einzelprotokoll"_s, u"&Sammelprotokoll"_s, u"&Liste"_s,
                               u"Prüf&plakette drucken…"_s, u"—"_s, u"&PDF speichern…"_s,
                               u"&Vorschau"_s}));
        EXPECT_EQ(captions(*pdf), (QStringList{u"&Einzelprotokoll…"_s, u"&Sammelprotokoll…"_s,
                                               u"&Liste…"_s, u"Prüf&plakette…"_s}));
        EXPECT_EQ(captions(*preview), (QStringList{u"&Einzelprotokoll"_s, u"&Sammelprotokoll"_s,
                                                   u"&Liste"_s, u"Prüf&plakette…"_s}));
        // Without their dialogs the collective report, the list and the labels stay off in
        // every menu.
        for (const char* name :
             {"Sammelprotokoll1", "PdfSammelprotokoll1", "VorschauSammelprotokoll1", "Liste1",
              "PdfListe1", "VorschauListe1", "Pruefplakette1", "PdfPruefplakette1",
              "VorschauPruefplakette1"})
            EXPECT_FALSE(item(name).isEnabled()) << name;
        item("PdfEinzelprotokoll1").trigger();
        item("VorschauEinzelprotokoll1").trigger();
    });
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(pdfPageCount(file.readAll()), 1);
    EXPECT_EQ(pdfPageCount(prompter.previewPdf()), 1);
    EXPECT_EQ(prompter.calls().front().dialog.fileName, u"Müller.pdf"_s);
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.messages().join('\n').toStdString();
}
