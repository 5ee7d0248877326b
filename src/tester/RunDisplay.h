#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

struct TesterConnection;

// The tester's three-line display as the remote-control window imitates it
// during a run. Lines are 22 bytes of Windows-1252, as the tester sends them.
namespace run_display {

inline constexpr int kLineLength = 22;

// The three indicators beside the display.
enum class Mark { Fault, Reversal, Mains };

// What a step shows besides its name.
struct StepIndicators {
    bool reversal = false;
    bool mains = false;
};

QByteArray blankLine();
// Writes a unit byte; the ohm sign 0xF4 writes "Ohm" from that position on.
void putUnitByte(QByteArray& line, int position, std::uint8_t byte);
// Line 3 of a step: class text, comparison sign at 9, limit space at 10..16, unit from 18.
QByteArray stepLine(int protectionClass, int step);
// Puts the seven limit characters at positions 10..16 of the step line.
void putLimit(QByteArray& line, const QByteArray& limit);
// Line 2 with a reading: value at 6..10, unit at 12..13.
QByteArray readingLine(const QByteArray& value, const QByteArray& unit);
// A line of the result: text at 1..6, value at 8..13, unit at 14..15.
QByteArray resultLine(const QByteArray& name, const QByteArray& value, const QByteArray& unit);
// The measured value of a result line, with control and 8-bit bytes blanked.
QString measuredValue(const QByteArray& resultLine);
StepIndicators stepIndicators(int step);
// Line 1 of a step: the measurement's name on testers from version 7 on;
// nothing for older testers, whose line 1 stays as it is.
std::optional<QString> stepNameLine(const TesterConnection& connection, int protectionClass,
                                    int step);
// The tester writes 'ü' as 0xF5.
QString verdictText(const QByteArray& verdict);
// Whether the verdict says "nicht in Ordnung": an 'h' ("nicht"), or an 'n' in French.
bool verdictNotInOrder(const QString& verdict, bool frenchDisplay);
QString lineText(const QByteArray& line);

inline const QString kReversalLines[3] = {QStringLiteral("     Umpolung         "),
                                          QStringLiteral("   Bitte warten !!!   "),
                                          QString(kLineLength, QLatin1Char(' '))};
inline const QString kMainsLines[3] = {QStringLiteral("     Achtung !!       "),
                                       QStringLiteral("   Netzspannung !!    "),
                                       QStringLiteral("  Weiter: Taste Auto  ")};
inline const QString kOverflow = QStringLiteral("O.L");
inline const QString kFaultSearchStatus =
    QStringLiteral("  Fehlersuche erfolglos?     Dann zum Beenden eine der 3 Tasten drücken  ");
inline const QString kResultStatus =
    QStringLiteral("   Weiter?    Dann eine Taste (0701, 0702 oder Auto) drücken");
inline const QString kHandMode = QStringLiteral("0701-0702 Hand");
inline const QString kAutoMode = QStringLiteral("0701-0702 Auto");

} // namespace run_display
