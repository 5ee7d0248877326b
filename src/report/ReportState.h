#pragma once

#include <QString>

#include <array>

// Values beside the record that describe the test which produced it. They
// decide the measurement names, units and limits of the printed report.
struct ReportState {
    // 1 = class "1", 2 = "2", 3 = "3", 4 = "1e"; 0 before any test.
    int protectionClass = 0;
    // 1 = test after repair (0701 wording), 2 = periodic test (0702 wording).
    int testKind = 0;
    // 0 names the combined standard "DIN VDE 0701-0702", else the separate ones.
    int oldNorm = 0;
    int diff = 0;
    int niso = 0;
    // The measured values as the tester sent them, at most six characters each.
    std::array<QString, 3> values;
    int notInOrder = 0;
    int newReport = 0;
    int templateUsed = 0;
    QString contractorLine1;
    QString contractorLine2;
    QString contractorLine3;

    bool operator==(const ReportState&) const = default;
};

// At most this many characters of a measured value are kept.
inline constexpr int kMeasuredValueLength = 6;
