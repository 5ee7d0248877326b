#include "PdfPages.h"
#include "Printers.h"
#include "RecordingDocument.h"
#include "TableFixture.h"
#include "archive_output/CollectiveReportCommand.h"
#include "archive_output/DeviceListCommand.h"
#include "archive_output/SingleReport.h"
#include "report/ReportSession.h"

#include <QFile>

using namespace Qt::Literals::StringLiterals;

namespace {

class LandscapeCover : public collective_report::FormatQuestion {
public:
    std::optional<collective_report::FormatChoice> askFormat() override {
        return collective_report::FormatChoice{collective_report::Cover::Landscape, u"S-7"_s, {}};
    }
};

class MarchList : public device_list::RequestQuestion, public device_list::FormatQuestion {
public:
    std::optional<device_list::Request> askRequest() override {
        return device_list::Request{u"Müller"_s,         3,
                                    u"Hauptstraße 12"_s, u"12345 Musterstadt"_s,
                                    u"01.03.2027"_s,     u"31.03.2027"_s};
    }
    std::optional<device_list::Format> askFormat() override {
        return device_list::Format::Landscape;
    }
};

enum class Printout { Single, Collective, List };

// 30 rows of customer 3, "Gerät 1" … "Gerät 30", due in March 2027.
class PrintOutputsTest : public TableFixture {
protected:
    PrintOutputsTest() {
        addAddressBook();
        QList<std::tuple<int, QString, int, QString>> rows;
        for (int i = 1; i <= 30; ++i)
            rows.append({i, u"Müller"_s, 3, u"%1.03.2027"_s.arg(i % 28 + 1, 2, 10, QChar(u'0'))});
        addArchiveRows(rows);
        EXPECT_TRUE(zt.addIndex(u"Standard"_s, u"Zaehler"_s));
        zt.setIndexName(u"Standard"_s);
        EXPECT_TRUE(zt.open());
        for (bool more = zt.first(); more; more = zt.next()) {
            zt.edit();
            zt.setText(u"Geraeteart"_s, u"Gerät %1"_s.arg(zt.integer(u"Zaehler"_s)));
            EXPECT_TRUE(zt.post());
        }
        zt.first();
    }

    void print(Printout printout, const PrintOutput& output) {
        switch (printout) {
        case Printout::Single:
            single_report::print(state, prompter, zt, kunden, output);
            return;
        case Printout::Collective:
            zt.setFilter(u"Kundennummer=3"_s);
            zt.setFiltered(true);
            collective_report::run(prompter, zt, kunden, cover, output);
            return;
        case Printout::List:
            device_list::run(prompter, zt, march, march, output);
            return;
        }
    }

    PrintOutput pdfOutput(const PrinterSource& printers) {
        PrintOutput output(printers, OutputKind::Pdf);
        output.documents = documents.source();
        return output;
    }

    PrinterSource printers(std::shared_ptr<RecordingPrintTarget> target) {
        return [target] { return target; };
    }

    QStringList texts(const RecordingPrintTarget::Job& job) {
        QStringList found;
        for (const CanvasOp& op : job.ops)
            if (op.kind == CanvasOp::Kind::Text)
                found << op.text;
        return found;
    }

    ReportSession state;
    TableCursor zt{store, u"zt"_s};
    TableCursor kunden{store, u"kunden"_s};
    LandscapeCover cover;
    MarchList march;
    RecordingDocuments documents;
};

} // namespace

TEST_F(PrintOutputsTest, ThePdfHoldsEveryPageThePrinterPrintsInItsOrder) {
    const struct {
        Printout printout;
        QString proposedName;
        int pages;
    } cases[] = {
        {Printout::Single, u"Müller.pdf"_s, 1},
        {Printout::Collective, u"S-7.pdf"_s, 3},
        {Printout::List, u"Müller 01.03.2027 31.03.2027.pdf"_s, 2},
    };
    for (const auto& c : cases) {
        const auto printer = std::make_shared<RecordingPrintTarget>();
        documents.pages = std::make_shared<RecordingPrintTarget>();
        prompter.acceptDialog();
        print(c.printout, printers(printer));
        prompter.chooseFile(u"/tmp/aus.pdf"_s);
        print(c.printout, pdfOutput(printers(printer)));

        const std::string name = c.proposedName.toStdString();
        const ScriptedPrompter::Call& asked = prompter.calls().back();
        EXPECT_EQ(asked.kind, ScriptedPrompter::Kind::SaveFile) << name;
        EXPECT_EQ(asked.dialog.title, u"PDF speichern"_s);
        EXPECT_EQ(asked.dialog.filter, u"PDF-Dateien (*.pdf)|*.pdf"_s);
        EXPECT_EQ(asked.dialog.fileName, c.proposedName);
        EXPECT_TRUE(asked.dialog.overwritePrompt);
        EXPECT_EQ(documents.paths.last(), u"/tmp/aus.pdf"_s);

        const QList<RecordingPrintTarget::Job>& printed = printer->jobs();
        const QList<RecordingPrintTarget::Job>& saved = documents.pages->jobs();
        ASSERT_EQ(printed.size(), c.pages) << name;
        ASSERT_EQ(saved.size(), c.pages) << name;
        for (int page = 0; page < c.pages; ++page) {
            EXPECT_EQ(saved[page].settings.orientation, printed[page].settings.orientation);
            EXPECT_EQ(saved[page].settings.title, printed[page].settings.title);
            EXPECT_TRUE(saved[page].ops == printed[page].ops) << name << " page " << page + 1;
            EXPECT_FALSE(saved[page].ops.isEmpty());
        }
    }
    EXPECT_TRUE(prompter.messages().filter(u"Fehler"_s).isEmpty())
        << prompter.messages().join('\n').toStdString();
}

TEST_F(PrintOutputsTest, ACollectiveReportIsCoverThenAppendixPagesOf27Rows) {
    prompter.chooseFile(u"/tmp/aus.pdf"_s);
    print(Printout::Collective, pdfOutput(printers(std::make_shared<RecordingPrintTarget>())));
    const QList<RecordingPrintTarget::Job>& pages = documents.pages->jobs();
    ASSERT_EQ(pages.size(), 3);
    for (const auto& page : pages)
        EXPECT_EQ(page.settings.orientation, TXPrinterOrientation::xpoLandscape);
    EXPECT_TRUE(texts(pages[0]).contains(u"Prüflinge mit Mängeln:"_s));
    QStringList first;
    QStringList second;
    for (int i = 1; i <= 30; ++i)
        (i <= 27 ? first : second) << u"Gerät %1"_s.arg(i);
    const QStringList page1 = texts(pages[1]);
    const QStringList page2 = texts(pages[2]);
    EXPECT_EQ(page1.filter(u"Gerät "_s), first);
    EXPECT_EQ(page2.filter(u"Gerät "_s), second);
    EXPECT_TRUE(page1.contains(u"Seite 1"_s));
    EXPECT_TRUE(page1.contains(u"Fortsetzung auf Seite 2"_s));
    EXPECT_TRUE(page2.contains(u"Seite 2"_s));
    EXPECT_TRUE(page2.filter(u"Fortsetzung"_s).isEmpty());
}

TEST_F(PrintOutputsTest, WithoutAnyPrinterThePdfAndThePreviewStillWork) {
    const auto none = printers(std::make_shared<RecordingPrintTarget>(600, false));
    print(Printout::Collective, none);
    EXPECT_EQ(prompter.messages(), QStringList{u"Fehler|Kein Drucker im System vorhanden!"_s});

    const QString path = dir.filePath(u"Sammel.pdf"_s);
    prompter.chooseFile(path);
    print(Printout::Collective, PrintOutput(none, OutputKind::Pdf));
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_EQ(pdfPageCount(bytes), 3);

    print(Printout::Collective, PrintOutput(none, OutputKind::Preview));
    EXPECT_EQ(prompter.calls().back().kind, ScriptedPrompter::Kind::Preview);
    EXPECT_EQ(pdfPageCount(prompter.previewPdf()), 3);
    EXPECT_EQ(prompter.messages().size(), 1);
}

TEST_F(PrintOutputsTest, APdfThatCannotBeWrittenIsToldAndLeavesNoFile) {
    const QString path = dir.filePath(u"fehlt/Sammel.pdf"_s);
    prompter.chooseFile(path);
    print(Printout::Collective, PrintOutput(printers(nullptr), OutputKind::Pdf));
    EXPECT_EQ(
        prompter.messages(),
        QStringList{u"Fehler|Die PDF-Datei \"%1\" kann nicht geschrieben werden."_s.arg(path)});
    EXPECT_FALSE(QFile::exists(path));
    prompter.cancelDialog();
    print(Printout::Single, PrintOutput(printers(nullptr), OutputKind::Pdf));
    EXPECT_EQ(prompter.messages().size(), 1);
}
