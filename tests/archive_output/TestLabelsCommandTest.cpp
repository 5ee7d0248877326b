#include "archive_output/TestLabelsCommand.h"
#include "archive_output/TFormPlakette.h"
#include "archive_output/ViewLabels.h"
#include "tables/SqliteStatement.h"

#include "PdfPages.h"
#include "QueryPlan.h"
#include "RecordingDocument.h"
#include "TableFixture.h"
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

using test_labels::Choice;
using test_labels::Scope;

class FixedChoice : public test_labels::ChoiceQuestion {
public:
    std::optional<Choice> choice;
    // The number of marked rows each question offered.
    QList<qint64> offeredMarks;
    std::optional<Choice> askChoice(qint64 markedRows) override {
        offeredMarks << markedRows;
        return choice;
    }
};

// Rows 1 to 3 of customer 3, rows 4 and 5 of customer 4; the filter shows
// customer 3, the current row is 2.
class TestLabelsCommandTest : public TableFixture {
protected:
    TestLabelsCommandTest() {
        addArchiveRows({{1, u"Müller"_s, 3, u"01.03.2027"_s},
                        {2, u"Müller"_s, 3, u"02.03.2027"_s},
                        {3, u"Müller"_s, 3, u"03.03.2027"_s},
                        {4, u"Schmidt"_s, 4, u"04.03.2027"_s},
                        {5, u"Schmidt"_s, 4, u"05.03.2027"_s}});
        EXPECT_TRUE(zt.addIndex(u"Standard"_s, u"Zaehler"_s));
        zt.setIndexName(u"Standard"_s);
        zt.setFilter(u"Kundennummer=3"_s);
        zt.setFiltered(true);
        EXPECT_TRUE(zt.open());
        EXPECT_TRUE(zt.locate(u"Zaehler"_s, {2}));
    }

    // Each label's "Nr." line as (sheet, number text).
    QList<std::pair<int, QString>> printedNumbers() {
        QList<std::pair<int, QString>> numbers;
        const auto& sheets = documents.pages->jobs();
        for (int sheet = 0; sheet < sheets.size(); ++sheet)
            for (const CanvasOp& op : sheets[sheet].ops)
                if (op.kind == CanvasOp::Kind::Text && op.text.startsWith(u"Nr. "_s))
                    numbers.append({sheet, op.text});
        return numbers;
    }

    TableCursor zt{store, u"zt"_s};
    FixedChoice question;
    RecordingDocuments documents;
};

TEST_F(TestLabelsCommandTest, TheCurrentRowOrEveryRowOfTheFilterFromTheChosenPosition) {
    const struct {
        Choice choice;
        QString proposedName;
        QList<std::pair<int, QString>> numbers;
    } cases[] = {
        {{Scope::CurrentRow, 1}, u"Prüfplaketten 2.pdf"_s, {{0, u"Nr. 2"_s}}},
        {{Scope::ViewRows, 23},
         u"Prüfplaketten 1.pdf"_s,
         {{0, u"Nr. 1"_s}, {0, u"Nr. 2"_s}, {1, u"Nr. 3"_s}}},
    };
    for (const auto& c : cases) {
        documents.pages = std::make_shared<RecordingPrintTarget>();
        question.choice = c.choice;
        prompter.chooseFile(u"/tmp/plaketten.pdf"_s);
        PrintOutput output([] { return std::shared_ptr<PrintTarget>(); }, OutputKind::Pdf);
        output.documents = documents.source();
        test_labels::run(prompter, zt, question, output);
        EXPECT_EQ(prompter.calls().back().dialog.fileName, c.proposedName);
        EXPECT_EQ(printedNumbers(), c.numbers) << c.proposedName.toStdString();
        EXPECT_EQ(zt.integer(u"Zaehler"_s), 2);
    }
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.messages().join('\n').toStdString();
}

TEST_F(TestLabelsCommandTest, SingleLabelsOfTheFilterEachOnAPageOfItsOwnWhateverTheStart) {
    question.choice = Choice{Scope::ViewRows, 23, test_labels::Format::Single};
    prompter.chooseFile(u"/tmp/etiketten.pdf"_s);
    PrintOutput output([] { return std::shared_ptr<PrintTarget>(); }, OutputKind::Pdf);
    output.documents = documents.source();
    test_labels::run(prompter, zt, question, output);
    EXPECT_EQ(printedNumbers(),
              (QList<std::pair<int, QString>>{{0, u"Nr. 1"_s}, {1, u"Nr. 2"_s}, {2, u"Nr. 3"_s}}));
    for (const auto& page : documents.pages->jobs())
        EXPECT_EQ(page.settings.paper, (PaperSize{Mm100(5000), Mm100(3000)}));
}

TEST_F(TestLabelsCommandTest, MarkedRowsAreThoseOfTheFilterTheSearchMarkedInItsOrder) {
    // Rows 1 and 3 of the filter are marked, and row 4, which the filter hides;
    // row 1 is due last, and the view is ordered by the next test.
    TableCursor all(store, u"zt"_s);
    ASSERT_TRUE(all.open());
    for (const qint64 number : {1, 3, 4}) {
        ASSERT_TRUE(all.locate(u"Zaehler"_s, {number}));
        ASSERT_TRUE(all.setValueInCurrentRow(u"Gefunden"_s, true));
    }
    ASSERT_TRUE(all.locate(u"Zaehler"_s, {1}));
    ASSERT_TRUE(all.edit());
    ASSERT_TRUE(all.setText(u"Termin"_s, u"31.12.2027"_s));
    ASSERT_TRUE(all.post());
    all.close();
    ASSERT_TRUE(rebuildIndex(zt, u"Faellig"_s, u"Termin"_s));
    ASSERT_TRUE(zt.locate(u"Zaehler"_s, {2}));
    question.choice = Choice{Scope::MarkedRows, 1};
    prompter.chooseFile(u"/tmp/plaketten.pdf"_s);
    PrintOutput output([] { return std::shared_ptr<PrintTarget>(); }, OutputKind::Pdf);
    output.documents = documents.source();
    test_labels::run(prompter, zt, question, output);
    EXPECT_EQ(question.offeredMarks, QList<qint64>{2});
    EXPECT_EQ(prompter.calls().back().dialog.fileName, u"Prüfplaketten 3.pdf"_s);
    EXPECT_EQ(printedNumbers(), (QList<std::pair<int, QString>>{{0, u"Nr. 3"_s}, {0, u"Nr. 1"_s}}));
    EXPECT_EQ(zt.integer(u"Zaehler"_s), 2);
}

// Marks are few among many rows: counting them reads the index over the
// marked rows alone (or a narrower one the filter offers), never the table.
TEST_F(TestLabelsCommandTest, MarkedRowsAreCountedOverAnIndexNeverTheWholeTable) {
    SKIP_ON_SERVER("SQLite's own plans");
    sqlite3* db = sqlite_engine::handle(store.database());
    const std::pair<QString, QString> plans[] = {
        {u""_s, u"SCAN zt USING COVERING INDEX zt#Gefunden"_s},
        {u"Hersteller='Bosch'"_s, u"SCAN zt USING INDEX zt#Gefunden"_s},
        {u"Kundennummer=3"_s, u"SEARCH zt USING INDEX zt#Kundennummer (Kundennummer=?)"_s},
    };
    for (const auto& [filter, plan] : plans) {
        zt.setFilter(filter);
        StatementTrace trace(db);
        EXPECT_EQ(test_labels::markedCount(zt), 0);
        ASSERT_EQ(trace.statements().size(), 1);
        EXPECT_EQ(planOf(db, trace.statements().first()), QStringList{plan})
            << filter.toStdString();
    }
}

TEST_F(TestLabelsCommandTest, WithoutMarksNoneAreOffered) {
    test_labels::run(prompter, zt, question, {[] { return std::shared_ptr<PrintTarget>(); }});
    EXPECT_EQ(question.offeredMarks, QList<qint64>{0});
}

TEST_F(TestLabelsCommandTest, ThePreviewShowsSingleLabelsOnPagesOfTheirSize) {
    question.choice = Choice{Scope::ViewRows, 1, test_labels::Format::Single};
    test_labels::run(prompter, zt, question,
                     {[] { return std::shared_ptr<PrintTarget>(); }, OutputKind::Preview});
    const QString pdf = QString::fromLatin1(prompter.previewPdf());
    EXPECT_EQ(pdfPageCount(prompter.previewPdf()), 3);
    EXPECT_EQ(pdf.count(u"/MediaBox [0 0 142.000000 85.000000]"_s), 3);
}

TEST_F(TestLabelsCommandTest, TheLabelNamesTheContractorNotTheCustomer) {
    addCustomers({{0, u"Elektro Schulze"_s}, {3, u"Müller"_s}});
    documents.pages = std::make_shared<RecordingPrintTarget>();
    question.choice = Choice{Scope::CurrentRow, 1};
    prompter.chooseFile(u"/tmp/plaketten.pdf"_s);
    PrintOutput output([] { return std::shared_ptr<PrintTarget>(); }, OutputKind::Pdf);
    output.documents = documents.source();
    test_labels::run(prompter, zt, question, output);
    QStringList names;
    for (const CanvasOp& op : documents.pages->jobs().value(0).ops)
        if (op.kind == CanvasOp::Kind::Text &&
            (op.text == u"Elektro Schulze"_s || op.text == u"Müller"_s))
            names << op.text;
    EXPECT_EQ(names, QStringList{u"Elektro Schulze"_s});
}

TEST_F(TestLabelsCommandTest, CancelledPrintsNothing) {
    PrintOutput output([] { return std::shared_ptr<PrintTarget>(); }, OutputKind::Pdf);
    output.documents = documents.source();
    test_labels::run(prompter, zt, question, output);
    EXPECT_TRUE(documents.paths.isEmpty());
    EXPECT_TRUE(prompter.calls().empty());
}

TEST(TFormPlakette, OkGivesTheRowsAndTheStartCancelGivesNothing) {
    TFormPlakette form;
    EXPECT_EQ(form.windowTitle(), u"Prüfplakette drucken"_s);
    EXPECT_EQ(form.startPosition()->minimum(), 1);
    EXPECT_EQ(form.startPosition()->maximum(), 24);
    const auto answer = [&form](bool viewRows, int start, bool ok) {
        QTimer::singleShot(0, &form, [&form, viewRows, start, ok] {
            (viewRows ? form.viewRows() : form.currentRow())->setChecked(true);
            form.startPosition()->setValue(start);
            ok ? form.accept() : form.reject();
        });
        return form.askChoice(0);
    };
    const auto viewFrom7 = answer(true, 7, true);
    ASSERT_TRUE(viewFrom7);
    EXPECT_EQ(viewFrom7->scope, Scope::ViewRows);
    EXPECT_EQ(viewFrom7->startPosition, 7);
    const auto current = answer(false, 1, true);
    ASSERT_TRUE(current);
    EXPECT_EQ(current->scope, Scope::CurrentRow);
    EXPECT_EQ(current->startPosition, 1);
    EXPECT_FALSE(answer(true, 3, false));
}

TEST(TFormPlakette, TheLayoutIsChosenAndTheStartCountsOnASheetOnly) {
    TFormPlakette form;
    EXPECT_EQ(form.sheet()->text(), u"A4-&Bogen 3 × 8"_s);
    EXPECT_EQ(form.single()->text(), u"Einzele&tikett 50 × 30 mm"_s);
    EXPECT_TRUE(form.sheet()->isChecked());
    EXPECT_TRUE(form.startPosition()->isEnabled());
    form.single()->setChecked(true);
    EXPECT_FALSE(form.sheet()->isChecked());
    EXPECT_FALSE(form.startPosition()->isEnabled());
    EXPECT_TRUE(form.currentRow()->isChecked()) << "rows and layout are chosen apart";
    QTimer::singleShot(0, &form, [&form] { form.accept(); });
    const auto single = form.askChoice(0);
    ASSERT_TRUE(single);
    EXPECT_EQ(single->format, test_labels::Format::Single);
    EXPECT_EQ(single->scope, Scope::CurrentRow);
    form.sheet()->setChecked(true);
    EXPECT_TRUE(form.startPosition()->isEnabled());
    QTimer::singleShot(0, &form, [&form] { form.accept(); });
    EXPECT_EQ(form.askChoice(0)->format, test_labels::Format::Sheet);
}

TEST(TFormPlakette, MarkedRowsAreOfferedWithTheirNumberOnlyWhenThereAreSome) {
    TFormPlakette form;
    const auto answer = [&form](qint64 marked, QRadioButton* (TFormPlakette::*rows)() const) {
        QTimer::singleShot(0, &form, [&form, rows] {
            if ((form.*rows)()->isEnabled())
                (form.*rows)()->setChecked(true);
            form.accept();
        });
        return form.askChoice(marked);
    };
    EXPECT_EQ(answer(3, &TFormPlakette::markedRows)->scope, Scope::MarkedRows);
    EXPECT_EQ(form.markedRows()->text(), u"&markierte Datensätze (3)"_s);
    EXPECT_TRUE(form.markedRows()->isEnabled());
    // Asked again without marks, the choice left from before falls back to the current row.
    EXPECT_EQ(answer(0, &TFormPlakette::markedRows)->scope, Scope::CurrentRow);
    EXPECT_EQ(form.markedRows()->text(), u"&markierte Datensätze (0)"_s);
    EXPECT_FALSE(form.markedRows()->isEnabled());
    EXPECT_EQ(answer(0, &TFormPlakette::viewRows)->scope, Scope::ViewRows);
}

} // namespace
