#include "report/Vocabulary.h"
#include "report/Protokoll.h"
#include "report/ReportState.h"

#include "Printers.h"

#include <gtest/gtest.h>

#include <array>

using namespace vocabulary;

namespace {

using Texts = std::array<QString, 3>;

const QString kPE = QStringLiteral("Schutzleiterwiderstand");
const QString kIso = QStringLiteral("Isolationswiderstand");
const QString kSubstitute = QStringLiteral("Ersatzableitstrom");
const QString kPECurrent = QStringLiteral("Schutzleiterstrom");
const QString kDiffCurrent = QStringLiteral("Differenzstrom");
const QString kTouch = QStringLiteral("Berührungsstrom");

TEST(ProtectionClass, CodesTextsAndCaptionsMatchBothWays) {
    struct Case {
        int code;
        QString text;
        QString caption;
    };
    const Case cases[] = {
        {1, "1", "Schutzklasse 1"},
        {2, "2", "Schutzklasse 2"},
        {3, "3", "Schutzklasse 3"},
        {4, "1e", "Schutzklasse 1e"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(classText(c.code), c.text);
        EXPECT_EQ(classCaption(c.code), c.caption);
        EXPECT_EQ(classCode(c.text), c.code);
    }
    for (int code : {-1, 0, 5}) {
        EXPECT_EQ(classText(code), std::nullopt) << code;
        EXPECT_EQ(classCaption(code), std::nullopt) << code;
    }
}

TEST(ProtectionClass, CodeIgnoresTrailingBlanksOnly) {
    const std::pair<QString, std::optional<int>> cases[] = {
        {"1 ", 1},    {"1e ", 4},
        {"1e   ", 4}, {"3  ", 3},
        {" 1", {}},   {"1E", {}},
        {"e", {}},    {"4", {}},
        {"", {}},     {"   ", {}},
        {"1e1", {}},  {"11", {}},
        {"1\t", {}},  {"Schutzklasse 1", {}},
    };
    for (const auto& [text, code] : cases)
        EXPECT_EQ(classCode(text), code) << '"' << text.toStdString() << '"';
}

TEST(TestKind, TextsAndCaptionsFollowKindAndWording) {
    struct Case {
        int kind;
        int oldNorm;
        QString text;
        QString caption;
    };
    const Case cases[] = {
        {1, 0, "DIN VDE 0701-0702(1)", "Prüfung nach DIN VDE 0701-0702"},
        {2, 0, "DIN VDE 0701-0702(2)", "Prüfung nach DIN VDE 0701-0702"},
        {1, 1, "DIN VDE 0701", "Prüfung nach DIN VDE 0701"},
        {2, 1, "DIN VDE 0702", "Prüfung nach DIN VDE 0702"},
        {2, -3, "DIN VDE 0702", "Prüfung nach DIN VDE 0702"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << '/' << c.oldNorm);
        EXPECT_EQ(testKindText(c.kind, c.oldNorm), c.text);
        EXPECT_EQ(testKindCaption(c.kind, c.oldNorm), c.caption);
    }
    for (int kind : {0, 3}) {
        EXPECT_EQ(testKindText(kind, 0), std::nullopt) << kind;
        EXPECT_EQ(testKindCaption(kind, 1), std::nullopt) << kind;
    }
}

struct LayoutCase {
    int protectionClass;
    int kind;
    int niso;
    int diff;
    Texts names;
    Texts units;
};

// Classes 1..3 at every kind, niso and diff; 1e is checked against class 1 below.
const LayoutCase kLayoutCases[] = {
    {1, 1, 0, 0, {kPE, kIso, kSubstitute}, {"W", "MW", "mA"}},
    {1, 1, 0, 1, {kPE, kIso, kSubstitute}, {"W", "MW", "mA"}},
    {1, 1, 1, 0, {kPE, kPECurrent, ""}, {"W", "mA", " "}},
    {1, 1, 1, 1, {kPE, kDiffCurrent, ""}, {"W", "mA", " "}},
    {1, 2, 0, 0, {kIso, kPE, kPECurrent}, {"MW", "W", "mA"}},
    {1, 2, 0, 1, {kIso, kPE, kDiffCurrent}, {"MW", "W", "mA"}},
    {1, 2, 1, 0, {kPE, kPECurrent, ""}, {"W", "mA", " "}},
    {1, 2, 1, 1, {kPE, kDiffCurrent, ""}, {"W", "mA", " "}},
    {2, 1, 0, 0, {kIso, kSubstitute, " "}, {"MW", "mA", " "}},
    {2, 1, 0, 1, {kIso, kSubstitute, " "}, {"MW", "mA", " "}},
    {2, 1, 1, 0, {kTouch, " ", " "}, {"mA", " ", " "}},
    {2, 1, 1, 1, {kTouch, " ", " "}, {"mA", " ", " "}},
    {2, 2, 0, 0, {kIso, kTouch, " "}, {"MW", "mA", " "}},
    {2, 2, 0, 1, {kIso, kTouch, " "}, {"MW", "mA", " "}},
    {2, 2, 1, 0, {kTouch, " ", " "}, {"mA", " ", " "}},
    {2, 2, 1, 1, {kTouch, " ", " "}, {"mA", " ", " "}},
    {3, 1, 0, 0, {kIso, "", " "}, {"MW", "", " "}},
    {3, 1, 0, 1, {kIso, "", " "}, {"MW", "", " "}},
    {3, 1, 1, 0, {kIso, "", " "}, {"MW", "", " "}},
    {3, 1, 1, 1, {kIso, "", " "}, {"MW", "", " "}},
    {3, 2, 0, 0, {kIso, " ", " "}, {"MW", " ", " "}},
    {3, 2, 0, 1, {kIso, " ", " "}, {"MW", " ", " "}},
    {3, 2, 1, 0, {kIso, " ", " "}, {"MW", " ", " "}},
    {3, 2, 1, 1, {kIso, " ", " "}, {"MW", " ", " "}},
};

class Layout : public testing::TestWithParam<LayoutCase> {};

TEST_P(Layout, NamesAndUnits) {
    const LayoutCase& c = GetParam();
    const auto layout = measurementLayout(c.protectionClass, c.kind, c.niso, c.diff);
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(layout->names, c.names);
    EXPECT_EQ(layout->units, c.units);
}

INSTANTIATE_TEST_SUITE_P(EveryClassKindAndMethod, Layout, testing::ValuesIn(kLayoutCases),
                         [](const testing::TestParamInfo<LayoutCase>& testCase) {
                             const LayoutCase& c = testCase.param;
                             return "Class" + std::to_string(c.protectionClass) + "Kind" +
                                    std::to_string(c.kind) + "Niso" + std::to_string(c.niso) +
                                    "Diff" + std::to_string(c.diff);
                         });

TEST(LayoutOfClass1e, IsThatOfClass1) {
    for (int kind : {1, 2}) {
        for (int niso : {0, 1}) {
            for (int diff : {0, 1}) {
                SCOPED_TRACE(testing::Message() << kind << niso << diff);
                EXPECT_EQ(measurementLayout(4, kind, niso, diff),
                          measurementLayout(1, kind, niso, diff));
            }
        }
    }
}

TEST(LayoutFlags, AnyNonzeroValueCounts) {
    EXPECT_EQ(measurementLayout(1, 2, 0, 7), measurementLayout(1, 2, 0, 1));
    EXPECT_EQ(measurementLayout(1, 1, -1, 0), measurementLayout(1, 1, 1, 0));
}

TEST(LayoutAndLimits, UnknownClassOrKindHasNone) {
    const std::pair<int, int> cases[] = {{0, 1}, {5, 1}, {1, 0}, {1, 3}, {4, 0}};
    for (const auto& [protectionClass, kind] : cases) {
        SCOPED_TRACE(testing::Message() << protectionClass << '/' << kind);
        EXPECT_EQ(measurementLayout(protectionClass, kind, 0, 0), std::nullopt);
        EXPECT_EQ(limitTexts(protectionClass, kind, 0), std::nullopt);
    }
}

struct LimitCase {
    int protectionClass;
    int kind;
    int niso;
    Texts limits;
};

const LimitCase kLimitCases[] = {
    {1, 1, 0, {"<0.3", ">1", "<3.5"}},      {1, 1, 1, {"<0.3", "<3.5", " "}},
    {1, 2, 0, {">1", "<0.3", "<3.5"}},      {1, 2, 1, {"<0.3", "<3.5", " "}},
    {4, 1, 0, {"<0.3", ">0.3", "<1mA/kW"}}, {4, 1, 1, {"<0.3", "<1mA/kW", " "}},
    {4, 2, 0, {">0.3", "<0.3", "<1mA/kW"}}, {4, 2, 1, {"<0.3", "<1mA/kW", " "}},
    {2, 1, 0, {">2", "<0.5", " "}},         {2, 1, 1, {"<0.5", " ", " "}},
    {2, 2, 0, {">2", "<0.5", " "}},         {2, 2, 1, {"<0.5", " ", " "}},
    {3, 1, 0, {">0.25", " ", " "}},         {3, 1, 1, {">0.25", " ", " "}},
    {3, 2, 0, {">0.25", " ", " "}},         {3, 2, 1, {">0.25", " ", " "}},
};

class Limits : public testing::TestWithParam<LimitCase> {};

TEST_P(Limits, Texts) {
    const LimitCase& c = GetParam();
    EXPECT_EQ(limitTexts(c.protectionClass, c.kind, c.niso), c.limits);
}

INSTANTIATE_TEST_SUITE_P(EveryClassKindAndMethod, Limits, testing::ValuesIn(kLimitCases),
                         [](const testing::TestParamInfo<LimitCase>& testCase) {
                             const LimitCase& c = testCase.param;
                             return "Class" + std::to_string(c.protectionClass) + "Kind" +
                                    std::to_string(c.kind) + "Niso" + std::to_string(c.niso);
                         });

TEST(FixedWording, InspectionItemsAndStatements) {
    const std::array<QString, 3> captions = {"Gehäuse i.O.", "sonstige mechanische Teile i.O.",
                                             "Geräte-Anschlußleitungen  mängelfrei"};
    const std::array<QString, 3> printed = {"Gehäuse i.O.", "sonstige mechanische Teile i.O.",
                                            "Geräte-Anschlussleitungen mängelfrei"};
    for (int item = 1; item <= kInspectionItems; ++item) {
        EXPECT_EQ(inspectionCaption(item), captions[item - 1]) << item;
        EXPECT_EQ(inspectionPrintText(item), printed[item - 1]) << item;
    }
    const std::array<QString, 4> statements = {
        "Funktions- und Sicherheitsprüfung mängelfrei",
        "Aufschriften vorhanden bzw. vervollständigt",
        "Das Gerät kann nicht mehr instandgesetzt werden",
        "Das Gerät hat erhebliche sicherheitstechnische Mängel",
    };
    for (int item = 1; item <= kStatements; ++item)
        EXPECT_EQ(statementText(item), statements[item - 1]) << item;

    for (int item : {0, 4}) {
        EXPECT_EQ(inspectionCaption(item), QString()) << item;
        EXPECT_EQ(inspectionPrintText(item), QString()) << item;
    }
    EXPECT_EQ(statementText(0), QString());
    EXPECT_EQ(statementText(5), QString());
}

TEST(UnitDisplay, OhmLettersBecomeOmega) {
    const std::pair<QString, QString> cases[] = {
        {"W", "Ω"}, {"MW", "MΩ"}, {"mA", "mA"}, {" ", " "}, {"", ""}, {"w", "w"}, {"WW", "WW"},
    };
    for (const auto& [unit, shown] : cases)
        EXPECT_EQ(unitDisplayText(unit), shown) << unit.toStdString();
}

// A record whose derived members all hold something no fill would write.
Protokoll staleRecord() {
    Protokoll record;
    record.AuftragNr = "A-17";
    record.Schutzklasse = "alt";
    record.Pruefung = "alte Prüfung";
    record.Messung1 = "M1";
    record.Messung2 = "M2";
    record.Messung3 = "M3";
    record.Einheit1 = "E1";
    record.Einheit2 = "E2";
    record.Einheit3 = "E3";
    record.Wert1 = "W1";
    record.Wert2 = "W2";
    record.Wert3 = "W3";
    record.Besichtigung2 = 1;
    record.Satz3 = 1;
    record.Alles = "alles";
    record.Dateiname = "a.pro";
    record.Gefunden = 1;
    record.Kundennummer = 42;
    record.Diff = 1;
    record.Niso = 1;
    record.Ordnung = "x";
    return record;
}

TEST(FillDerivedMembers, WritesEveryDerivedMemberAndNothingElse) {
    ReportState state;
    state.protectionClass = 4;
    state.testKind = 2;
    state.oldNorm = 0;
    state.diff = 1;
    state.niso = 0;
    state.values = {">20.0", "0.12", "F 3.9"};
    state.notInOrder = 1;

    Protokoll record = staleRecord();
    fillDerivedMembers(record, state);

    Protokoll expected = staleRecord();
    expected.Schutzklasse = "1e";
    expected.Pruefung = "DIN VDE 0701-0702(2)";
    expected.Messung1 = kIso;
    expected.Messung2 = kPE;
    expected.Messung3 = kDiffCurrent;
    expected.Einheit1 = "MW";
    expected.Einheit2 = "W";
    expected.Einheit3 = "mA";
    expected.Wert1 = ">20.0";
    expected.Wert2 = "0.12";
    expected.Wert3 = "F 3.9";
    expected.Diff = 1;
    expected.Niso = 0;
    expected.Ordnung = "n";
    EXPECT_EQ(record, expected);
}

TEST(FillDerivedMembers, UnknownClassAndKindKeepTheirTexts) {
    ReportState state;
    state.protectionClass = 0;
    state.testKind = 0;
    state.diff = 5;
    state.niso = 3;
    state.values = {"1", "2", "3"};
    state.notInOrder = 0;

    Protokoll record = staleRecord();
    fillDerivedMembers(record, state);

    EXPECT_EQ(record.Schutzklasse, "alt");
    EXPECT_EQ(record.Pruefung, "alte Prüfung");
    EXPECT_EQ((Texts{record.Messung1, record.Messung2, record.Messung3}),
              (Texts{"M1", "M2", "M3"}));
    EXPECT_EQ((Texts{record.Einheit1, record.Einheit2, record.Einheit3}),
              (Texts{"E1", "E2", "E3"}));
    EXPECT_EQ((Texts{record.Wert1, record.Wert2, record.Wert3}), (Texts{"1", "2", "3"}));
    EXPECT_EQ(record.Diff, 1);
    EXPECT_EQ(record.Niso, 1);
    EXPECT_EQ(record.Ordnung, "j");
}

TEST(FillDerivedMembers, ClassThreeOldWordingWithoutMethodFlags) {
    ReportState state;
    state.protectionClass = 3;
    state.testKind = 1;
    state.oldNorm = 1;
    state.diff = 1;
    state.niso = 1;
    Protokoll record = staleRecord();
    fillDerivedMembers(record, state);
    EXPECT_EQ(record.Schutzklasse, "3");
    EXPECT_EQ(record.Pruefung, "DIN VDE 0701");
    EXPECT_EQ((Texts{record.Messung1, record.Messung2, record.Messung3}), (Texts{kIso, "", " "}));
    EXPECT_EQ((Texts{record.Einheit1, record.Einheit2, record.Einheit3}), (Texts{"MW", "", " "}));
    EXPECT_EQ((Texts{record.Wert1, record.Wert2, record.Wert3}), (Texts{"", "", ""}));
}

TEST(ReadStateFromRecord, TestKindAndWordingFromPruefung) {
    struct Case {
        QString pruefung;
        int kindBefore;
        int kind;
        int oldNorm;
    };
    const Case cases[] = {
        {"DIN VDE 0701-0702(2)", 1, 2, 0},
        {"DIN VDE 0701-0702(1)", 2, 1, 0},
        {"DIN VDE 0702", 1, 2, 1},
        {"DIN VDE 0701", 2, 1, 1},
        // The combined standard without a kind keeps the kind but names the combined wording.
        {"DIN VDE 0701-0702", 2, 2, 0},
        // Neither standard: the kind stays, the separate wording is taken.
        {"Wiederholungsprüfung", 2, 2, 1},
        {"", 1, 1, 1},
        // Both separate standards named: the later test wins.
        {"DIN VDE 0701 / 0702", 1, 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pruefung.toStdString());
        Protokoll record;
        record.Pruefung = c.pruefung;
        ReportState state;
        state.testKind = c.kindBefore;
        state.oldNorm = c.oldNorm == 0 ? 1 : 0;
        readStateFromRecord(record, state);
        EXPECT_EQ(state.testKind, c.kind);
        EXPECT_EQ(state.oldNorm, c.oldNorm);
    }
}

TEST(ReadStateFromRecord, ClassFromSchutzklasseOrKept) {
    const std::pair<QString, int> cases[] = {
        {"1", 1}, {"2", 2}, {"3", 3}, {"1e", 4}, {"1 ", 1}, {"1e ", 4}, {"x", 0}, {"", 0},
    };
    for (const auto& [text, code] : cases) {
        Protokoll record;
        record.Schutzklasse = text;
        ReportState state;
        readStateFromRecord(record, state);
        EXPECT_EQ(state.protectionClass, code) << '"' << text.toStdString() << '"';
    }
}

} // namespace
