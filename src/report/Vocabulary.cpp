#include "Vocabulary.h"

#include "Protokoll.h"
#include "ReportState.h"

namespace vocabulary {

namespace {

constexpr std::array<QStringView, 4> kClassTexts = {u"1", u"2", u"3", u"1e"};

// [testKind - 1][oldNorm != 0]
constexpr QStringView kTestKindTexts[2][2] = {
    {u"DIN VDE 0701-0702(1)", u"DIN VDE 0701"},
    {u"DIN VDE 0701-0702(2)", u"DIN VDE 0702"},
};
constexpr QStringView kTestKindCaptions[2][2] = {
    {u"Prüfung nach DIN VDE 0701-0702", u"Prüfung nach DIN VDE 0701"},
    {u"Prüfung nach DIN VDE 0701-0702", u"Prüfung nach DIN VDE 0702"},
};

constexpr QStringView kProtectiveConductorCurrent = u"Schutzleiterstrom";
constexpr QStringView kDifferentialCurrent = u"Differenzstrom";

struct Layout {
    std::array<QStringView, 3> names;
    std::array<QStringView, 3> units;
};
constexpr QStringView kPE = u"Schutzleiterwiderstand";
constexpr QStringView kIso = u"Isolationswiderstand";
constexpr QStringView kSubstitute = u"Ersatzableitstrom";
constexpr QStringView kTouch = u"Berührungsstrom";

// [class - 1][testKind - 1][niso != 0] for classes 1..3; class 1e measures as
// class 1. The tester sends its values in this order, so the order matters:
// a periodic test of class 1 measures the insulation first. Unused slots hold
// "" in some places and " " in others, as reports have always stored them.
constexpr Layout kLayouts[3][2][2] = {
    {
        {{{kPE, kIso, kSubstitute}, {u"W", u"MW", u"mA"}},
         {{kPE, kProtectiveConductorCurrent, u""}, {u"W", u"mA", u" "}}},
        {{{kIso, kPE, kProtectiveConductorCurrent}, {u"MW", u"W", u"mA"}},
         {{kPE, kProtectiveConductorCurrent, u""}, {u"W", u"mA", u" "}}},
    },
    {
        {{{kIso, kSubstitute, u" "}, {u"MW", u"mA", u" "}},
         {{kTouch, u" ", u" "}, {u"mA", u" ", u" "}}},
        {{{kIso, kTouch, u" "}, {u"MW", u"mA", u" "}}, {{kTouch, u" ", u" "}, {u"mA", u" ", u" "}}},
    },
    {
        {{{kIso, u"", u" "}, {u"MW", u"", u" "}}, {{kIso, u"", u" "}, {u"MW", u"", u" "}}},
        {{{kIso, u" ", u" "}, {u"MW", u" ", u" "}}, {{kIso, u" ", u" "}, {u"MW", u" ", u" "}}},
    },
};

// [class - 1][testKind - 1][niso != 0]; unlike the layout, 1e has limits of its own.
using Limits = std::array<QStringView, 3>;
constexpr Limits kLimits[4][2][2] = {
    {
        {{u"<0.3", u">1", u"<3.5"}, {u"<0.3", u"<3.5", u" "}},
        {{u">1", u"<0.3", u"<3.5"}, {u"<0.3", u"<3.5", u" "}},
    },
    {
        {{u">2", u"<0.5", u" "}, {u"<0.5", u" ", u" "}},
        {{u">2", u"<0.5", u" "}, {u"<0.5", u" ", u" "}},
    },
    {
        {{u">0.25", u" ", u" "}, {u">0.25", u" ", u" "}},
        {{u">0.25", u" ", u" "}, {u">0.25", u" ", u" "}},
    },
    {
        {{u"<0.3", u">0.3", u"<1mA/kW"}, {u"<0.3", u"<1mA/kW", u" "}},
        {{u">0.3", u"<0.3", u"<1mA/kW"}, {u"<0.3", u"<1mA/kW", u" "}},
    },
};

constexpr std::array<QStringView, kInspectionItems> kInspectionCaptions = {
    u"Gehäuse i.O.", u"sonstige mechanische Teile i.O.", u"Geräte-Anschlußleitungen  mängelfrei"};
constexpr std::array<QStringView, kInspectionItems> kInspectionPrintTexts = {
    u"Gehäuse i.O.", u"sonstige mechanische Teile i.O.", u"Geräte-Anschlussleitungen mängelfrei"};
constexpr std::array<QStringView, kStatements> kStatementTexts = {
    u"Funktions- und Sicherheitsprüfung mängelfrei",
    u"Aufschriften vorhanden bzw. vervollständigt",
    u"Das Gerät kann nicht mehr instandgesetzt werden",
    u"Das Gerät hat erhebliche sicherheitstechnische Mängel",
};

constexpr std::array<QString Protokoll::*, 3> kNameMembers = {
    &Protokoll::Messung1, &Protokoll::Messung2, &Protokoll::Messung3};
constexpr std::array<QString Protokoll::*, 3> kUnitMembers = {
    &Protokoll::Einheit1, &Protokoll::Einheit2, &Protokoll::Einheit3};
constexpr std::array<QString Protokoll::*, 3> kValueMembers = {&Protokoll::Wert1, &Protokoll::Wert2,
                                                               &Protokoll::Wert3};

bool isClass(int protectionClass) {
    return protectionClass >= 1 && protectionClass <= 4;
}
bool isTestKind(int testKind) {
    return testKind == 1 || testKind == 2;
}

// Item 1..count of a list of texts; an item outside the list has no text.
template <std::size_t N> QString item(const std::array<QStringView, N>& texts, int number) {
    if (number < 1 || number > static_cast<int>(N))
        return {};
    return texts[number - 1].toString();
}

} // namespace

std::optional<QString> classText(int protectionClass) {
    if (!isClass(protectionClass))
        return std::nullopt;
    return kClassTexts[protectionClass - 1].toString();
}

std::optional<QString> classCaption(int protectionClass) {
    if (!isClass(protectionClass))
        return std::nullopt;
    return QStringLiteral("Schutzklasse ").append(kClassTexts[protectionClass - 1]);
}

std::optional<int> classCode(const QString& schutzklasse) {
    // Texts typed into a fixed-width field come back with blanks behind them.
    QStringView text(schutzklasse);
    while (text.endsWith(u' '))
        text.chop(1);
    for (std::size_t i = 0; i < kClassTexts.size(); ++i) {
        if (text == kClassTexts[i])
            return static_cast<int>(i) + 1;
    }
    return std::nullopt;
}

std::optional<QString> testKindText(int testKind, int oldNorm) {
    if (!isTestKind(testKind))
        return std::nullopt;
    return kTestKindTexts[testKind - 1][oldNorm != 0].toString();
}

std::optional<QString> testKindCaption(int testKind, int oldNorm) {
    if (!isTestKind(testKind))
        return std::nullopt;
    return kTestKindCaptions[testKind - 1][oldNorm != 0].toString();
}

std::optional<MeasurementLayout> measurementLayout(int protectionClass, int testKind, int niso,
                                                   int diff) {
    if (!isClass(protectionClass) || !isTestKind(testKind))
        return std::nullopt;
    const int row = protectionClass == 4 ? 0 : protectionClass - 1;
    const Layout& layout = kLayouts[row][testKind - 1][niso != 0];
    MeasurementLayout result;
    for (std::size_t i = 0; i < 3; ++i) {
        // The differential method measures the protective-conductor current another way.
        const bool differential = diff != 0 && layout.names[i] == kProtectiveConductorCurrent;
        result.names[i] = (differential ? kDifferentialCurrent : layout.names[i]).toString();
        result.units[i] = layout.units[i].toString();
    }
    return result;
}

std::optional<std::array<QString, 3>> limitTexts(int protectionClass, int testKind, int niso) {
    if (!isClass(protectionClass) || !isTestKind(testKind))
        return std::nullopt;
    const Limits& limits = kLimits[protectionClass - 1][testKind - 1][niso != 0];
    return std::array<QString, 3>{limits[0].toString(), limits[1].toString(), limits[2].toString()};
}

QString inspectionCaption(int number) {
    return item(kInspectionCaptions, number);
}
QString inspectionPrintText(int number) {
    return item(kInspectionPrintTexts, number);
}
QString statementText(int number) {
    return item(kStatementTexts, number);
}

QString unitDisplayText(const QString& unit) {
    // "W" and "MW" are the Symbol-font letters for Ω and MΩ that reports and
    // files have always stored; on screen and paper we show the real characters.
    if (unit == u"W")
        return QStringLiteral("Ω");
    if (unit == u"MW")
        return QStringLiteral("MΩ");
    return unit;
}

void fillDerivedMembers(Protokoll& record, const ReportState& state) {
    // A code the vocabulary does not know leaves the text as it was.
    if (const auto text = classText(state.protectionClass))
        record.Schutzklasse = *text;
    if (const auto text = testKindText(state.testKind, state.oldNorm))
        record.Pruefung = *text;
    const auto layout =
        measurementLayout(state.protectionClass, state.testKind, state.niso, state.diff);
    for (std::size_t i = 0; i < 3; ++i) {
        if (layout) {
            record.*kNameMembers[i] = layout->names[i];
            record.*kUnitMembers[i] = layout->units[i];
        }
        record.*kValueMembers[i] = state.values[i];
    }
    record.Diff = state.diff != 0;
    record.Niso = state.niso != 0;
    record.Ordnung = state.notInOrder ? QStringLiteral("n") : QStringLiteral("j");
}

void readStateFromRecord(const Protokoll& record, ReportState& state) {
    if (const auto code = classCode(record.Schutzklasse))
        state.protectionClass = *code;
    const QString& pruefung = record.Pruefung;
    if (pruefung.contains(u"0701-0702")) {
        if (pruefung.contains(u"(1)"))
            state.testKind = 1;
        if (pruefung.contains(u"(2)"))
            state.testKind = 2;
        state.oldNorm = 0;
    } else {
        // Old reports name one standard; should both appear, 0702 wins.
        if (pruefung.contains(u"0701"))
            state.testKind = 1;
        if (pruefung.contains(u"0702"))
            state.testKind = 2;
        state.oldNorm = 1;
    }
}

} // namespace vocabulary
