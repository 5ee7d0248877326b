#pragma once

#include <QString>

#include <array>

// How the archive writes a test's measurements: names and units ("Ohm",
// "MOhm", "mA") and the one-line summary in `Alles`. Rows from the remote
// control and from the tester's memory use the same table.
namespace archive_measurements {

struct Measurements {
    std::array<QString, 3> names;
    std::array<QString, 3> units;
    bool operator==(const Measurements&) const = default;
};

// Names and units for the test; empty texts outside test kinds 1..2 and classes 1..4.
Measurements measurements(int testKind, int protectionClass, int niso, int diff);

// "Schutzleiterwiderstand = 0.05 Ohm  Isolationswiderstand >20 MOhm": the
// measurements in one line; the second and third only when their name is
// longer than five characters. Trimmed: names and the whole line without
// surrounding blanks (rows from files); else as they are.
QString summary(const std::array<QString, 3>& names, const std::array<QString, 3>& values,
                const std::array<QString, 3>& units, bool trimmed = true);

} // namespace archive_measurements
