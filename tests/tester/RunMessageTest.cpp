#include "tester/RunMessage.h"
#include "tester/RunDisplay.h"
#include "tester/TesterConnection.h"

#include <gtest/gtest.h>

namespace {

using Kind = RunMessage::Kind;

QByteArray bytes(const char* text, qsizetype size) {
    return QByteArray(text, size);
}

TEST(RunMessageTest, PayloadLengthsByCode) {
    struct Case {
        std::uint8_t code;
        int valueCount;
        int length;
    };
    const Case cases[] = {
        {'g', 3, 7},  {'i', 3, 1},  {'m', 3, 7},  {'z', 3, 1},  {'n', 3, 58}, {'n', 2, 44},
        {'n', 1, 30}, {'n', 0, 30}, {'n', 9, 58}, {'Y', 3, 0},  {'y', 3, 0},  {'e', 3, 0},
        {'s', 3, 0},  {'u', 3, 0},  {'v', 3, 0},  {0xFF, 3, 0}, {0x01, 3, 0}, {'X', 3, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(runPayloadLength(c.code, c.valueCount), c.length)
            << char(c.code) << " " << c.valueCount;
}

TEST(RunMessageTest, ValueCountFollowsClassAndInsulation) {
    EXPECT_EQ(resultValueCount(1, 0), 3);
    EXPECT_EQ(resultValueCount(4, 0), 3);
    EXPECT_EQ(resultValueCount(1, 1), 2);
    EXPECT_EQ(resultValueCount(4, 1), 2);
    EXPECT_EQ(resultValueCount(2, 0), 2);
    EXPECT_EQ(resultValueCount(2, 1), 1);
    EXPECT_EQ(resultValueCount(3, 0), 1);
    EXPECT_EQ(resultValueCount(3, 1), 1);
}

TEST(RunMessageTest, DecodesEachMessage) {
    struct Case {
        QByteArray bytes;
        Kind kind;
    };
    const Case cases[] = {
        {bytes("\x01", 1), Kind::KeyAfterResult},
        {bytes("\x03", 1), Kind::KeyAfterResult},
        {"Y", Kind::ReversalNotice},
        {"y", Kind::MainsNotice},
        {"e", Kind::EndWithResults},
        {"s", Kind::Stop},
        {"u", Kind::OverflowOn},
        {"v", Kind::OverflowOff},
        {bytes("\xFF", 1), Kind::Abort},
        {bytes("i\xFF", 2), Kind::Abort},
        {bytes("z\xFF", 2), Kind::Abort},
        {"z!", Kind::FaultSearch},
        {bytes("\x04", 1), Kind::Unknown},
        {"X", Kind::Unknown},
        {bytes("i\x0A", 2), Kind::Unknown}, // no step 10: garbled
    };
    for (const Case& c : cases) {
        const auto message = decodeRunMessage(c.bytes, 3);
        ASSERT_TRUE(message) << c.bytes.toHex().toStdString();
        EXPECT_EQ(message->kind, c.kind) << c.bytes.toHex().toStdString();
    }

    const auto step = decodeRunMessage(bytes("i\x09", 2), 3);
    EXPECT_EQ(step->kind, Kind::Step);
    EXPECT_EQ(step->step, 9);
    EXPECT_EQ(decodeRunMessage("g  1.000", 3)->text, QByteArray("  1.000"));
    const auto reading = decodeRunMessage(bytes("m 0.12 \xF4", 8), 3);
    EXPECT_EQ(reading->text, QByteArray(" 0.12"));
    EXPECT_EQ(reading->unit, bytes(" \xF4", 2));
    EXPECT_EQ(decodeRunMessage("z7", 3)->indication, '7');
}

TEST(RunMessageTest, ResultCarriesTheValuesOfTheTest) {
    const QByteArray message = bytes("nR-ISO   25.0M\xF4"
                                     "I-BER   0.21mA"
                                     "Pr\xF5"
                                     "fung i. O.   ",
                                     45);
    const auto result = decodeRunMessage(message, 2);
    ASSERT_TRUE(result);
    ASSERT_EQ(result->values.size(), 2u);
    EXPECT_EQ(result->values[0].name, QByteArray("R-ISO "));
    EXPECT_EQ(result->values[0].value, QByteArray("  25.0"));
    EXPECT_EQ(result->values[0].unit, bytes("M\xF4", 2));
    EXPECT_EQ(result->values[1].value, QByteArray("  0.21"));
    EXPECT_EQ(result->text, bytes("Pr\xF5"
                                  "fung i. O.   ",
                                  16));
    // Read as three values the same bytes are a message cut short.
    EXPECT_FALSE(decodeRunMessage(message, 3));
    EXPECT_FALSE(decodeRunMessage(message.left(44), 2));
    EXPECT_FALSE(decodeRunMessage("g 1.00", 3));
    EXPECT_FALSE(decodeRunMessage("i", 3));
    EXPECT_FALSE(decodeRunMessage(QByteArray(), 3));
}

TEST(RunDisplayTest, StepLineWithLimit) {
    QByteArray line = run_display::stepLine(1, 2);
    run_display::putLimit(line, "  1.000");
    EXPECT_EQ(line, QByteArray("Skl 1    >  1.000 MOhm"));
    EXPECT_EQ(run_display::stepLine(2, 0), QByteArray("Skl 2    <        Ohm "));
    EXPECT_EQ(run_display::stepLine(3, 7), QByteArray("Skl 3    <        mA  "));
    // Class 1e shows no unit for its currents.
    EXPECT_EQ(run_display::stepLine(4, 8), QByteArray("Skl 1e   <            "));
    EXPECT_EQ(run_display::stepLine(4, 5), QByteArray("Skl 1e   <        Ohm "));
    for (const QByteArray& each : {run_display::stepLine(1, 0), run_display::stepLine(4, 9)})
        EXPECT_EQ(each.size(), run_display::kLineLength);
}

TEST(RunDisplayTest, StepIndicators) {
    const bool reversal[] = {false, true, false, false, false, true, false, false, false, true};
    const bool mains[] = {false, false, false, false, false, false, false, false, true, true};
    for (int step = 0; step < 10; ++step) {
        EXPECT_EQ(run_display::stepIndicators(step).reversal, reversal[step]) << step;
        EXPECT_EQ(run_display::stepIndicators(step).mains, mains[step]) << step;
    }
}

TEST(RunDisplayTest, UnitBytesAndTheOhmSign) {
    EXPECT_EQ(run_display::readingLine(" 0.12", bytes(" \xF4", 2)),
              QByteArray("       0.12  Ohm      "));
    EXPECT_EQ(run_display::readingLine(" 25.0", bytes("M\xF4", 2)),
              QByteArray("       25.0 MOhm      "));
    EXPECT_EQ(run_display::readingLine(" 0.21", "mA"), QByteArray("       0.21 mA        "));
    EXPECT_EQ(run_display::resultLine("R-SL  ", "  0.12", bytes(" \xF4", 2)),
              QByteArray(" R-SL     0.12 Ohm    "));
    // The ohm sign in the last position would reach beyond the line: it is cut there.
    QByteArray line = run_display::blankLine();
    run_display::putUnitByte(line, 20, 0xF4);
    EXPECT_EQ(line, QByteArray("                    Oh"));
}

TEST(RunDisplayTest, MeasuredValueKeepsPrintableAsciiOnly) {
    const QByteArray line = run_display::resultLine("R-SL  ",
                                                    bytes("\x00"
                                                          "0.1\xF5\x7F",
                                                          6),
                                                    "  ");
    EXPECT_EQ(run_display::measuredValue(line), QStringLiteral(" 0.1 \x7F"));
    EXPECT_EQ(run_display::measuredValue(run_display::blankLine()), QStringLiteral("      "));
}

TEST(RunDisplayTest, VerdictText) {
    EXPECT_EQ(run_display::verdictText(bytes("Pr\xF5"
                                             "fung i. O.   ",
                                             16)),
              QStringLiteral("Prüfung i. O.   "));
    EXPECT_TRUE(run_display::verdictNotInOrder(QStringLiteral("nicht in Ordnung"), false));
    EXPECT_FALSE(run_display::verdictNotInOrder(QStringLiteral("Prüfung i. O.   "), false));
    // A French tester: only an 'n' counts.
    EXPECT_TRUE(run_display::verdictNotInOrder(QStringLiteral("Essai non OK    "), true));
    EXPECT_FALSE(run_display::verdictNotInOrder(QStringLiteral("Essai OK chic   "), true));
    EXPECT_EQ(run_display::lineText(bytes("ab\x00\x13"
                                          "c",
                                          5)),
              QStringLiteral("ab  c"));
}

TEST(RunDisplayTest, StepNamesOnNewerTesters) {
    TesterConnection connection;
    connection.ProtocolVersion = 10;
    EXPECT_EQ(run_display::stepNameLine(connection, 1, 2),
              QStringLiteral("Isolationswiderstand  "));
    EXPECT_EQ(run_display::stepNameLine(connection, 2, 7),
              QStringLiteral("Ersatzableitstrom     "));
    EXPECT_EQ(run_display::stepNameLine(connection, 2, 8),
              QStringLiteral("Berührungsstrom       "));
    connection.ProtocolVersion = 7;
    EXPECT_EQ(run_display::stepNameLine(connection, 2, 7),
              QStringLiteral("Berührungsstrom       "));
    EXPECT_EQ(run_display::stepNameLine(connection, 1, 7),
              QStringLiteral("Ersatzableitstrom     "));
    connection.ProtocolVersion = 6;
    EXPECT_FALSE(run_display::stepNameLine(connection, 1, 0));
}

} // namespace
