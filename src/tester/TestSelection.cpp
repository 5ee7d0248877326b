#include "TestSelection.h"

namespace test_selection {

bool offersInsulationChoice(int testKind, int version, int protectionClass) {
    if (protectionClass == 3)
        return false;
    return testKind == 1 ? version >= 5 && version <= 9 : version >= 7;
}

QString testKindLabel(int testKind) {
    return testKind == 1 ? QStringLiteral("0701") : QStringLiteral("0702");
}

DisplayLines insulationChoiceLines() {
    return {QStringLiteral(" "), QStringLiteral("mit Riso=   0701"),
            QStringLiteral("ohne Riso=  0702")};
}

DisplayLines startChoiceLines(int testKind) {
    return {QStringLiteral(" "), QStringLiteral("Hand=      ") + testKindLabel(testKind),
            QStringLiteral("Automatik= Auto")};
}

} // namespace test_selection
