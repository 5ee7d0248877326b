#include "archive_output/SingleReport.h"
#include "Printers.h"
#include "TableFixture.h"
#include "print/RecordingPrintTarget.h"
#include "report/ReportSession.h"

namespace {

class SingleReportTest : public TableFixture {
protected:
    SingleReportTest() {
        addAddressBook();
        addArchiveRows({{1, QStringLiteral("Müller"), 3, QStringLiteral("1.2.2027")}});
        EXPECT_TRUE(zt.open());
        zt.first();
        zt.edit();
        const std::pair<const char*, const char*> values[] = {
            {"Schutzklasse", "1"},
            {"Pruefung", "DIN VDE 0702"},
            {"Messung1", "Isolationswiderstand"},
            {"Einheit1", "MOhm"},
            {"Wert1", " >20.0"},
            {"Messung2", "Schutzleiterwiderstand"},
            {"Einheit2", "Ohm"},
            {"Wert2", "0.1 2345678"},
            {"Messung3", "Schutzleiterstrom"},
            {"Einheit3", "mA"},
            {"Wert3", "0.25"},
            {"Niso", "nein"},
        };
        for (const auto& [field, value] : values)
            zt.setText(QLatin1String(field), QLatin1String(value));
        EXPECT_TRUE(zt.post());
    }

    // The texts on the printed page.
    QStringList printedTexts() {
        QStringList texts;
        if (printer->jobs().isEmpty())
            return texts;
        for (const CanvasOp& op : printer->jobs().last().ops)
            if (op.kind == CanvasOp::Kind::Text)
                texts << op.text;
        return texts;
    }

    ReportSession state;
    TableCursor zt{store, QStringLiteral("zt")};
    TableCursor kunden{store, QStringLiteral("kunden")};
    PrinterSource source() {
        return [this] { return printer; };
    }

    std::shared_ptr<RecordingPrintTarget> printer = std::make_shared<RecordingPrintTarget>();
};

} // namespace

TEST_F(SingleReportTest, TheRowPrintsWithItsAddressesLimitsAndWholeValues) {
    prompter.acceptDialog();
    single_report::print(state, prompter, zt, kunden, source());
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.messages().join('\n').toStdString();
    const QStringList texts = printedTexts();
    for (const char* expected :
         {"Hauptstraße 12", "12345 Musterstadt", "Elektro Schulze", "Industrieweg 4", "Prüfung",
          "MΩ", "Ω", "mA", ">20.0", "0.12345678", ">1", "<0.3", "<3.5", "01.02.2027"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_FALSE(texts.contains(QStringLiteral("Prüfung:")));
    EXPECT_EQ(state.record.Einheit1, QStringLiteral("MW"));
    EXPECT_EQ(state.report.testKind, 2);
    EXPECT_EQ(state.report.protectionClass, 1);
}

TEST_F(SingleReportTest, AMissingCustomerIsToldAndItsLinesStayEmpty) {
    {
        TableCursor k(store, QStringLiteral("kunden"));
        k.open();
        k.setIndexName(QStringLiteral("Standard"));
        k.last();
        k.deleteRow();
    }
    state.record.Kunde2 = QStringLiteral("alt");
    prompter.answer(Prompter::Answer::Ok);
    prompter.acceptDialog();
    single_report::print(state, prompter, zt, kunden, source());
    EXPECT_EQ(prompter.messages(),
              QStringList{"Hinweis|Die Kundennummer ist nicht in der Kunden-Datenbank enthalten."});
    EXPECT_EQ(state.record.Kunde2, QString());
    EXPECT_EQ(printer->jobs().size(), 1);
}

TEST_F(SingleReportTest, NoPrinterOrACancelledDialogPrintsNothingButTheRecordIsLoaded) {
    auto none = std::make_shared<RecordingPrintTarget>(600, false);
    single_report::print(state, prompter, zt, kunden, [none] { return none; });
    EXPECT_EQ(prompter.messages(), QStringList{"Fehler|Kein Drucker im System vorhanden!"});
    EXPECT_TRUE(none->jobs().isEmpty());
    EXPECT_EQ(state.record.Kunde1, QStringLiteral("Müller"));

    prompter.cancelDialog();
    single_report::print(state, prompter, zt, kunden, source());
    EXPECT_TRUE(printer->jobs().isEmpty());
}
