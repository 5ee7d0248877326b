#include "ConsoleFixture.h"
#include "TableFixture.h"
#include "TableHolder.h"

#include "RunScript.h"
#include "tables/TableCursor.h"
#include "tester/RemoteArchiveRow.h"
#include "tester/ResultHandover.h"

namespace {

using remote_archive_row::Measurements;

TEST(RemoteArchiveRowTest, NamesAndUnitsByTest) {
    struct Case {
        int kind, protectionClass, niso, diff;
        Measurements expected;
    };
    const QString pe = "Schutzleiterwiderstand", iso = "Isolationswiderstand",
                  ea = "Ersatzableitstrom", sl = "Schutzleiterstrom", di = "Differenzstrom",
                  be = "Berührungsstrom";
    const Case cases[] = {
        {1, 1, 1, 1, {{pe, di, " "}, {"Ohm", "mA", " "}}},
        {1, 4, 1, 0, {{pe, sl, " "}, {"Ohm", "mA", " "}}},
        {1, 1, 0, 1, {{pe, iso, ea}, {"Ohm", "MOhm", "mA"}}},
        {1, 2, 1, 0, {{be, "", ""}, {"mA", "", ""}}},
        {1, 2, 0, 1, {{iso, ea, ""}, {"MOhm", "mA", ""}}},
        {1, 3, 0, 0, {{iso, "", ""}, {"MOhm", "", ""}}},
        {2, 3, 1, 1, {{iso, "", ""}, {"MOhm", "", ""}}},
        {2, 1, 1, 1, {{pe, di, " "}, {"Ohm", "mA", " "}}},
        {2, 4, 1, 0, {{pe, sl, " "}, {"Ohm", "mA", " "}}},
        {2, 1, 0, 1, {{iso, pe, di}, {"MOhm", "Ohm", "mA"}}},
        {2, 4, 0, 0, {{iso, pe, sl}, {"MOhm", "Ohm", "mA"}}},
        {2, 2, 1, 0, {{be, "", ""}, {"mA", "", ""}}},
        {2, 2, 0, 0, {{iso, be, ""}, {"MOhm", "mA", ""}}},
        {0, 1, 0, 0, {}},
        {1, 0, 0, 0, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(remote_archive_row::measurements(c.kind, c.protectionClass, c.niso, c.diff),
                  c.expected)
            << c.kind << " " << c.protectionClass << " " << c.niso << " " << c.diff;
}

TEST(RemoteArchiveRowTest, SummaryText) {
    EXPECT_EQ(remote_archive_row::summaryText(remote_archive_row::measurements(1, 3, 0, 0),
                                              {" >20.0", "", ""}, 0),
              QStringLiteral("Isolationswiderstand  >20.0 MOhm  F"));
    EXPECT_EQ(remote_archive_row::summaryText(remote_archive_row::measurements(1, 1, 0, 0),
                                              {"  0.12", "  25.0", "  0.21"}, 0),
              QStringLiteral("Schutzleiterwiderstand =   0.12 Ohm  Isolationswiderstand =   25.0 "
                             "MOhm  Ersatzableitstrom =   0.21 mA  F"));
    // A value that starts with 'F' is a tester error and has no unit; a blank name is left out.
    EXPECT_EQ(remote_archive_row::summaryText(remote_archive_row::measurements(2, 1, 1, 0),
                                              {"Fehler", "  0.21", "      "}, 1),
              QStringLiteral("Schutzleiterwiderstand = Fehler  Schutzleiterstrom =   0.21 mA  T"));
}

TEST(RemoteArchiveRowTest, DateTextWithoutLeadingZeros) {
    EXPECT_EQ(remote_archive_row::dateText(QDate(2011, 3, 8)),
              QStringLiteral("Messung am   8.3.2011"));
    EXPECT_EQ(remote_archive_row::dateText(QDate(2026, 12, 10)),
              QStringLiteral("Messung am   10.12.2026"));
}

class ResultHandoverTest : public TableFixture {
protected:
    ResultHandoverTest() {
        testerState.connection.ProtocolVersion = 10;
        ReportState& report = state.report;
        report.testKind = 2;
        report.protectionClass = 1;
        report.niso = 0;
        report.diff = 1;
        report.values = {"  0.12", "  25.0", "  0.21"};
        report.notInOrder = 1;
        Protokoll& record = state.record;
        record.AuftragNr = "A-7";
        record.Kunde1 = "Elektro Huber";
        record.Kunde2 = "Hauptstraße 1";
        record.Nehmer1 = "Prüfdienst";
        record.Geraeteart = "Bohrmaschine";
        record.Nennleistung = "500";
        record.FehlerZeile2 = "Kabel";
        record.Ort = "Ulm";
    }

    std::unique_ptr<ResultHandover> handover() {
        HandoverWindows windows;
        windows.askReport = [this] {
            calls << "TForm11";
            return reportWanted;
        };
        windows.wizard = [this] {
            calls << QStringLiteral("TForm9 %1").arg(state.report.newReport);
        };
        windows.savePrint = [this] { calls << QStringLiteral("TForm10"); };
        auto result =
            std::make_unique<ResultHandover>(state, testerState.connection, prompter, store,
                                             windows, [] { return QDate(2011, 3, 8); });
        result->prepareArchive();
        return result;
    }
    int rowCount() {
        TableCursor zt(store, "zt");
        zt.open();
        return column(zt, "Zaehler").size();
    }

    ReportSession state;

    TesterState testerState;
    bool reportWanted = false;
    QStringList calls;
};

TEST_F(ResultHandoverTest, MeasurementIntoTheArchive) {
    handover()->handOver(true);
    EXPECT_EQ(calls, QStringList{"TForm11"});
    EXPECT_EQ(prompter.messages(),
              (QStringList{"Frage|Sollen die Messwerte im Archiv abgelegt werden?",
                           "Meldung|Messung wurde unter der lfd. Nr. 1 ins Archiv übernommen"}));
    ASSERT_EQ(prompter.calls()[0].buttons, Prompter::Buttons::YesNo);

    TableCursor zt(store, "zt");
    ASSERT_TRUE(zt.open());
    EXPECT_EQ(zt.indexNames(), QStringList{"Standard"});
    ASSERT_TRUE(zt.first());
    QStringList fields;
    for (const FieldDefinition& field : zt.definition().fields)
        fields << field.name + "=" + zt.text(field.name);
    // The tester measured the protective conductor first; the row names the insulation first.
    EXPECT_EQ(fields,
              (QStringList{"Zaehler=1",
                           "AuftragNr=",
                           "Auftraggeber=",
                           "Geraeteart=",
                           "Hersteller=",
                           "Typenbezeichnung=",
                           "Schutzklasse=1",
                           "Nennstrom=",
                           "Seriennummer=",
                           "Nennspannung=",
                           "Nennleistung=",
                           "FehlerZeile1=",
                           "FehlerZeile2=",
                           "FehlerZeile3=",
                           "RepArbeitenZeile1=",
                           "RepArbeitenZeile2=",
                           "RepArbeitenZeile3=",
                           "Pruefung=DIN VDE 0701-0702(2)",
                           "Besichtigung1=nein",
                           "Besichtigung2=nein",
                           "Besichtigung3=nein",
                           "Messung1=Isolationswiderstand",
                           "Messung2=Schutzleiterwiderstand",
                           "Messung3=Differenzstrom",
                           "Einheit1=MOhm",
                           "Einheit2=Ohm",
                           "Einheit3=mA",
                           "Wert1=  25.0",
                           "Wert2=  0.12",
                           "Wert3=  0.21",
                           "Satz1=nein",
                           "Satz2=nein",
                           "Satz3=nein",
                           "Satz4=nein",
                           "Termin=",
                           "Ort=",
                           "Datum=",
                           "Alles=Isolationswiderstand =   25.0 MOhm  Schutzleiterwiderstand =   "
                           "0.12 Ohm  Differenzstrom =   0.21 mA  F",
                           "Dateiname=Messung am   8.3.2011",
                           "Gefunden=nein",
                           "Kundennummer=",
                           "Ordnung=n",
                           "Diff=ja",
                           "Niso=nein"}));

    // The record holds the measurement; the customer's further lines and the contractor stay.
    const Protokoll& record = state.record;
    for (const QString* emptied : {&record.AuftragNr, &record.Kunde1, &record.Geraeteart,
                                   &record.Nennleistung, &record.FehlerZeile2})
        EXPECT_EQ(*emptied, QString());
    EXPECT_EQ(record.Kunde2, QStringLiteral("Hauptstraße 1"));
    EXPECT_EQ(record.Nehmer1, QStringLiteral("Prüfdienst"));
    EXPECT_EQ(record.Messung1, QStringLiteral("Isolationswiderstand"));
    EXPECT_EQ(record.Wert1, QStringLiteral("  25.0"));
    EXPECT_EQ(record.Ordnung, QStringLiteral("n"));

    // The next measurement follows the last row.
    state.report.values = {"  0.12", "  25.0", "  0.21"};
    handover()->handOver(true);
    EXPECT_EQ(prompter.messages().last(),
              QStringLiteral("Meldung|Messung wurde unter der lfd. Nr. 2 ins Archiv übernommen"));
}

TEST_F(ResultHandoverTest, NumberFollowsTheHighestRowWhateverTheIndex) {
    addArchiveRows({{41, "Alt", 0, ""}, {7, "Älter", 0, ""}});
    handover()->handOver(true);
    EXPECT_EQ(prompter.messages().last(),
              QStringLiteral("Meldung|Messung wurde unter der lfd. Nr. 42 ins Archiv übernommen"));
}

TEST_F(ResultHandoverTest, ALockedArchiveIsReportedNotAnnounced) {
    auto handing = handover();
    TableHolder holder(dir.path(), QStringLiteral("zt"));
    ASSERT_TRUE(holder.hold());
    store.setBusyTimeout(20);
    handing->handOver(true);
    const QStringList messages = prompter.messages();
    ASSERT_EQ(messages.size(), 2) << messages.join("\n").toStdString();
    EXPECT_EQ(messages[0], "Frage|Sollen die Messwerte im Archiv abgelegt werden?");
    EXPECT_TRUE(messages[1].startsWith(holder.message())) << messages[1].toStdString();
    holder.release();
    EXPECT_EQ(rowCount(), 0);
}

TEST_F(ResultHandoverTest, ReportWantedGoesThroughWizardAndSavePrint) {
    reportWanted = true;
    handover()->handOver(true);
    EXPECT_EQ(calls, (QStringList{"TForm11", "TForm9 1", "TForm10"}));
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_EQ(rowCount(), 0);
    EXPECT_EQ(state.report.values, (std::array<QString, 3>{"  25.0", "  0.12", "  0.21"}));
}

TEST_F(ResultHandoverTest, NothingWithoutResultsOrWithoutYes) {
    handover()->handOver(false);
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_EQ(state.report.values, (std::array<QString, 3>{"  0.12", "  25.0", "  0.21"}));

    prompter.answer(Prompter::Answer::No);
    handover()->handOver(true);
    EXPECT_EQ(prompter.messages(),
              QStringList{"Frage|Sollen die Messwerte im Archiv abgelegt werden?"});
    EXPECT_EQ(rowCount(), 0);
    EXPECT_EQ(state.record.AuftragNr, QStringLiteral("A-7"));
}

TEST_F(ResultHandoverTest, ValuesStayInOrderWhereTheTesterSendsThemSo) {
    struct Case {
        int version, kind, protectionClass, niso;
        bool swapped;
    };
    const Case cases[] = {
        {10, 2, 1, 0, true},  {4, 2, 4, 0, true},   {3, 2, 1, 0, false},
        {10, 1, 1, 0, false}, {10, 2, 1, 1, false}, {10, 2, 2, 0, false},
    };
    for (const Case& c : cases) {
        testerState.connection.ProtocolVersion = c.version;
        state.report.testKind = c.kind;
        state.report.protectionClass = c.protectionClass;
        state.report.niso = c.niso;
        state.report.values = {"a", "b", "c"};
        reportWanted = true;
        handover()->handOver(true);
        EXPECT_EQ(state.report.values[0], c.swapped ? "b" : "a") << c.version << " " << c.kind;
    }
}

// The whole road: a run on the simulated tester, the close, the archive row.
class RemoteMeasurementTest : public ConsoleTest {
protected:
    RemoteMeasurementTest()
        : store(test_database::location(dir.path()), prompter) {}

    void runToTheEnd(const RunScript& script) {
        TesterConfig config;
        config.acceptedVersions = {10};
        config.autoRun = script;
        start(config);
        HandoverWindows windows;
        windows.askReport = [this] {
            ++questions;
            return false;
        };
        form->setResultHandover(std::make_unique<ResultHandover>(state, testerState.connection,
                                                                 prompter, store, windows,
                                                                 [] { return QDate(2011, 3, 8); }));
        form->ButtonBeginnFernClick();
        form->Button0701Click();
        form->findChild<QPushButton*>("ButtonAutoMess")->click();
        if (form->portOpen())
            form->ButtonWeiterAClick();
    }

    QTemporaryDir dir;
    TableStore store;
    int questions = 0;
};

TEST_F(RemoteMeasurementTest, VerdictIntoTheArchive) {
    runToTheEnd(defaultRunScript());
    EXPECT_FALSE(form->portOpen());
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(prompter.messages(),
              (QStringList{"Frage|Sollen die Messwerte im Archiv abgelegt werden?",
                           "Meldung|Messung wurde unter der lfd. Nr. 1 ins Archiv übernommen"}));
    TableCursor zt(store, "zt");
    ASSERT_TRUE(zt.open());
    ASSERT_TRUE(zt.first());
    EXPECT_EQ(zt.text("Alles"),
              QStringLiteral("Schutzleiterwiderstand =   0.12 Ohm  Isolationswiderstand =   25.0 "
                             "MOhm  Ersatzableitstrom =   0.21 mA  F"));
    EXPECT_EQ(zt.text("Ordnung"), QStringLiteral("j"));
}

TEST_F(RemoteMeasurementTest, RunEndedByStopOffersNeitherReportNorArchive) {
    using namespace run_message;
    runToTheEnd({{step(0), 100, RunItem::Wait::None}, {stop(), 100, RunItem::Wait::Key}});
    EXPECT_FALSE(form->portOpen());
    EXPECT_EQ(questions, 0);
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_TRUE(notices.shown.empty());
}

} // namespace
