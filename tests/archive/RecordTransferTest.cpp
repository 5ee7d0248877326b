#include "archive/RecordTransfer.h"
#include "Printers.h"
#include "SampleReport.h"
#include "TableFixture.h"
#include "report/ArchiveMeasurements.h"
#include "report/ProtocolFile.h"

using namespace record_transfer;

TEST(MeasurementSummary, NamesSeparatorsAndUnits) {
    struct Case {
        std::array<QString, 3> names, values, units;
        QString summary;
    };
    const Case cases[] = {
        {{"Schutzleiterwiderstand", "Isolationswiderstand", ""},
         {"0.05", ">20", ""},
         {"Ohm", "MOhm", ""},
         "Schutzleiterwiderstand = 0.05 Ohm  Isolationswiderstand >20 MOhm"},
        // A failed value has no unit; an empty one keeps it.
        {{" Schutzleiterwiderstand ", "Isolationswiderstand", "Ersatzableitstrom"},
         {"F 1.2", "", "0.25"},
         {"Ohm", "MOhm", "mA"},
         "Schutzleiterwiderstand = F 1.2  Isolationswiderstand =  MOhm  Ersatzableitstrom = 0.25 "
         "mA"},
        // Names of five characters or fewer are no measurement.
        {{"Isolationswiderstand", "     ", "Strom"},
         {" >20.0", "x", "y"},
         {"MOhm", "mA", "mA"},
         "Isolationswiderstand  >20.0 MOhm"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(archive_measurements::summary(c.names, c.values, c.units), c.summary);
}

TEST(DateText, ShortFormsPassImpossibleDatesDoNot) {
    const std::pair<const char*, bool> cases[] = {
        {"1.1.11", true},    {"15.12.2027", true}, {"29.02.2012", true}, {"01.01.20111", false},
        {"1-1-2011", false}, {"32.1.2011", false}, {"1.13.2011", false}, {"31.02.2011", false},
        {"0.1.2011", false}, {"1..2011", false},   {"", false},          {"1.1.2O11", false},
        {"11.11.", false},
    };
    for (const auto& [text, valid] : cases)
        EXPECT_EQ(isValidDateText(QLatin1String(text)), valid) << text;
}

TEST(ConvertImage, UnitsFlagsTrimmingAndTheVerdict) {
    Protokoll file = sampleReport();
    file.AuftragNr = QStringLiteral("  A-1 ");
    file.Einheit1 = QStringLiteral("W");
    file.Einheit2 = QStringLiteral("MW");
    file.Einheit3 = QStringLiteral("mA");
    file.Messung3 = QStringLiteral(" Ersatzableitstrom");
    file.Besichtigung2 = 2;
    file.Satz3 = 0;
    file.Diff = 1;
    file.Ordnung = QStringLiteral("n");
    std::vector<std::pair<QString, DateKind>> asked;
    const RowValues row =
        convertImageToRow(protocol_file::buildProtocolImage(file), [&](const QString&, DateKind k) {
            asked.push_back({{}, k});
            return QString();
        });
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(row.texts.AuftragNr, QStringLiteral("A-1"));
    EXPECT_EQ(row.texts.Messung3, QStringLiteral(" Ersatzableitstrom")); // names keep blanks
    EXPECT_EQ((std::array{row.texts.Einheit1, row.texts.Einheit2, row.texts.Einheit3}),
              (std::array<QString, 3>{"Ohm", "MOhm", "mA"}));
    EXPECT_EQ(row.inspections, (std::array<QString, 3>{"ja", "nein", "ja"}));
    EXPECT_EQ(row.statements, (std::array<QString, 4>{"ja", "ja", "nein", "ja"}));
    EXPECT_EQ(row.Alles, QStringLiteral("Schutzleiterwiderstand =  0.1 2 Ohm  "
                                        "Isolationswiderstand >20.0 MOhm  "
                                        "Ersatzableitstrom =   0.25 mA"));
    EXPECT_EQ(row.Ordnung, QStringLiteral("n"));
    EXPECT_EQ(row.Diff, 1);
    EXPECT_EQ(row.Niso, 0);
}

TEST(ConvertImage, ImpossibleDatesAreCorrectedNextTestFirst) {
    Protokoll file = sampleReport();
    file.Termin = QStringLiteral("31.02.2027");
    file.Datum = QStringLiteral("1-1-2026");
    QStringList asked;
    const RowValues row = convertImageToRow(
        protocol_file::buildProtocolImage(file), [&](const QString& rejected, DateKind kind) {
            asked << QStringLiteral("%1 %2").arg(int(kind)).arg(rejected);
            return kind == DateKind::NextTest ? QStringLiteral("28.02.2027")
                                              : QStringLiteral("01.01.2026");
        });
    EXPECT_EQ(asked, (QStringList{"1 31.02.2027", "2 1-1-2026"}));
    EXPECT_EQ(row.texts.Termin, QStringLiteral("28.02.2027"));
    EXPECT_EQ(row.texts.Datum, QStringLiteral("01.01.2026"));
}

using MatchCustomerTest = TableFixture;

TEST_F(MatchCustomerTest, FindsExactNamesAsStoredAndAddsOthersButNeverAnEmptyName) {
    addCustomers({{0, QStringLiteral("Elektro Schulze")},
                  {4, QStringLiteral("Müller")},
                  {2, QStringLiteral("Albrecht")},
                  {7, QStringLiteral("Elektro-Großhandel Südwest Zweigste")}});
    const auto match = [&](const QString& name) {
        const CustomerMatch m =
            matchCustomer(store, name, QStringLiteral("Weg 1"), QStringLiteral("12345 Ort"));
        EXPECT_EQ(m.failure, QString());
        return m.number ? QStringLiteral("%1%2").arg(*m.number).arg(m.added ? "+" : "")
                        : QStringLiteral("keine");
    };
    EXPECT_EQ(match(QStringLiteral("Müller")), "4");
    // Letter case counts: this is a new customer, after the highest number.
    EXPECT_EQ(match(QStringLiteral("MÜLLER")), "8+");
    EXPECT_EQ(match(QStringLiteral("MÜLLER")), "8");
    // Compared as the table keeps it: cut to 35 characters.
    EXPECT_EQ(match(QStringLiteral("Elektro-Großhandel Südwest Zweigstelle Nord")), "7");
    EXPECT_EQ(match(QString()), "keine");
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_EQ(customerRows(),
              (QStringList{"0|Elektro Schulze||", "4|Müller||", "2|Albrecht||",
                           "7|Elektro-Großhandel Südwest Zweigste||", "8|MÜLLER|Weg 1|12345 Ort"}));
}

TEST_F(MatchCustomerTest, AnEmptyTableGivesNumberOne) {
    const CustomerMatch match = matchCustomer(store, QStringLiteral("Erster Kunde"), {}, {});
    EXPECT_EQ(match.failure, QString());
    EXPECT_EQ(match.number, 1);
    EXPECT_TRUE(match.added);
}

TEST(NewRowFields, FortyFourValuesInFieldOrder) {
    RowValues row;
    row.texts = sampleReport();
    row.inspections = {"ja", "nein", "ja"};
    row.statements = {"nein", "ja", "nein", "ja"};
    row.Alles = QStringLiteral("Summe");
    row.Ordnung = QStringLiteral("j");
    row.Diff = 1;
    const QVariantList fields = newRowFields(row, 7, QStringLiteral("/pfad/a.pro   1.2.2026"));
    ASSERT_EQ(fields.size(), 44);
    EXPECT_EQ(fields[1], row.texts.AuftragNr);
    EXPECT_EQ(fields[2], row.texts.Kunde1);
    EXPECT_EQ(fields[17], row.texts.Pruefung);
    EXPECT_EQ(fields[19], QStringLiteral("nein"));
    EXPECT_EQ(fields[21], row.texts.Messung1);
    EXPECT_EQ(fields[29], row.texts.Wert3);
    EXPECT_EQ(fields[31], QStringLiteral("ja"));
    EXPECT_EQ(fields[34], row.texts.Termin);
    EXPECT_EQ(fields[36], row.texts.Datum);
    EXPECT_EQ(fields[37], QStringLiteral("Summe"));
    EXPECT_EQ(fields[38], QStringLiteral("/pfad/a.pro   1.2.2026"));
    EXPECT_EQ(fields[39], false);
    EXPECT_EQ(fields[40], 7);
    EXPECT_EQ(fields[41], QStringLiteral("j"));
    EXPECT_EQ(fields[42], true);
    EXPECT_EQ(fields[43], false);
}
