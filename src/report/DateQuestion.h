#pragma once

#include <QString>

// 1 = next test date, 2 = test date, as the date dialog names them.
enum class DateKind { NextTest = 1, TestDate = 2 };

// An impossible date found in a protocol file, to be replaced by a real one.
struct DateQuestion {
    QString fileName;
    QString rejected;
    DateKind kind = DateKind::TestDate;
};
