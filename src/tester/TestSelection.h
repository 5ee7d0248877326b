#pragma once

#include <QString>

#include <array>

// The choice of the test on the tester's display: test kind, then, where
// the tester asks, with or without the insulation test, then Hand or Auto.
namespace test_selection {

using DisplayLines = std::array<QString, 3>;

// Whether the tester asks for the insulation test after the test kind.
bool offersInsulationChoice(int testKind, int version, int protectionClass);
// "0701" or "0702".
QString testKindLabel(int testKind);
DisplayLines insulationChoiceLines();
DisplayLines startChoiceLines(int testKind);

} // namespace test_selection
