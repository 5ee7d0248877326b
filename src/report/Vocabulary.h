#pragma once

#include <QString>

#include <array>
#include <optional>

struct Protokoll;
struct ReportState;

// The words of a test report: classes, test kinds, measurements, units and
// limits, shared by the wizard, the printed page, the archive and the tester link.
namespace vocabulary {

// "1", "2", "3", "1e" for codes 1..4; nothing for other codes.
std::optional<QString> classText(int protectionClass);
// "Schutzklasse 1" ... "Schutzklasse 1e" for codes 1..4.
std::optional<QString> classCaption(int protectionClass);
// Code 1..4 for "1", "2", "3", "1e"; trailing blanks are ignored ("1 " is class 1).
std::optional<int> classCode(const QString& schutzklasse);

// `Pruefung` text for test kind 1 or 2: "DIN VDE 0701-0702(1)" ... "DIN VDE 0702".
std::optional<QString> testKindText(int testKind, int oldNorm);
// "Prüfung nach DIN VDE 0701-0702", "Prüfung nach DIN VDE 0701", ... for kind 1 or 2.
std::optional<QString> testKindCaption(int testKind, int oldNorm);

struct MeasurementLayout {
    std::array<QString, 3> names;
    std::array<QString, 3> units;
    bool operator==(const MeasurementLayout&) const = default;
};
// Names and units of the three measurements; nothing outside classes 1..4 and kinds 1..2.
std::optional<MeasurementLayout> measurementLayout(int protectionClass, int testKind, int niso,
                                                   int diff);
// The three "Grenzwerte:" texts; nothing outside classes 1..4 and kinds 1..2.
std::optional<std::array<QString, 3>> limitTexts(int protectionClass, int testKind, int niso);

// "Gehäuse i.O.", "sonstige mechanische Teile i.O.", and the connection-lead item.
inline constexpr int kInspectionItems = 3;
QString inspectionCaption(int item);   // as the wizard shows it, item 1..3
QString inspectionPrintText(int item); // as the report prints it, item 1..3
// The four closing statements `Satz1..4`, item 1..4.
inline constexpr int kStatements = 4;
QString statementText(int item);

// Units are kept as "W", "MW", "mA"; "W" and "MW" are drawn as Ω and MΩ.
QString unitDisplayText(const QString& unit);

// Writes the members that follow from the report state: class, test kind
// text, measurement names and units, values, Diff, Niso and Ordnung.
void fillDerivedMembers(Protokoll& record, const ReportState& state);
// Sets class, test kind and oldNorm of the report state from the record's texts.
void readStateFromRecord(const Protokoll& record, ReportState& state);

} // namespace vocabulary
