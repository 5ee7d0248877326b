#include "ArchiveMeasurements.h"

namespace archive_measurements {

namespace {
const QString kPE = QStringLiteral("Schutzleiterwiderstand");
const QString kIso = QStringLiteral("Isolationswiderstand");
const QString kSubstitute = QStringLiteral("Ersatzableitstrom");
const QString kTouch = QStringLiteral("Berührungsstrom");
const QString kProtectiveCurrent = QStringLiteral("Schutzleiterstrom");
const QString kDifferential = QStringLiteral("Differenzstrom");
const QString kOhm = QStringLiteral("Ohm");
const QString kMOhm = QStringLiteral("MOhm");
const QString kMA = QStringLiteral("mA");
const QString kBlank = QStringLiteral(" ");

// Archive rows have always been stored with these texts; a blank and an
// empty name differ here from the report's layout.
Measurements classOneOrOneE(int testKind, int niso, int diff) {
    const QString& current = diff ? kDifferential : kProtectiveCurrent;
    if (niso)
        return {{kPE, current, kBlank}, {kOhm, kMA, kBlank}};
    if (testKind == 1)
        return {{kPE, kIso, kSubstitute}, {kOhm, kMOhm, kMA}};
    return {{kIso, kPE, current}, {kMOhm, kOhm, kMA}};
}

Measurements classTwo(int testKind, int niso) {
    if (niso)
        return {{kTouch, {}, {}}, {kMA, {}, {}}};
    if (testKind == 1)
        return {{kIso, kSubstitute, {}}, {kMOhm, kMA, {}}};
    return {{kIso, kTouch, {}}, {kMOhm, kMA, {}}};
}

// One measurement of the summary: name, separator, value and unit.
QString part(const QString& name, const QString& value, const QString& unit, bool trimmed) {
    QString text = trimmed ? name.trimmed() : name;
    text += value.contains(u'>') ? QStringLiteral(" ") : QStringLiteral(" = ");
    text += value;
    // A failed measurement ("F...") has no number the unit could belong to.
    if (!value.startsWith(u'F'))
        text += u' ' + unit;
    return text;
}
} // namespace

Measurements measurements(int testKind, int protectionClass, int niso, int diff) {
    if (testKind != 1 && testKind != 2)
        return {};
    switch (protectionClass) {
    case 1:
    case 4:
        return classOneOrOneE(testKind, niso, diff);
    case 2:
        return classTwo(testKind, niso);
    case 3:
        return {{kIso, {}, {}}, {kMOhm, {}, {}}};
    default:
        return {};
    }
}

QString summary(const std::array<QString, 3>& names, const std::array<QString, 3>& values,
                const std::array<QString, 3>& units, bool trimmed) {
    QString text = part(names[0], values[0], units[0], trimmed);
    for (std::size_t i = 1; i < 3; ++i)
        if (names[i].size() > 5)
            text += QStringLiteral("  ") + part(names[i], values[i], units[i], trimmed);
    return trimmed ? text.trimmed() : text;
}

} // namespace archive_measurements
