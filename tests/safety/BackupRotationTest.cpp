#include "safety/BackupRotation.h"

#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2026, 12, 11), QTime(12, 0));

QString named(int year, int month, int day) {
    return backup_rotation::automaticName(QDateTime(QDate(year, month, day), QTime(7, 30)));
}

// Automatic backups on the days from..to of a month.
QStringList daily(int year, int month, int from, int to) {
    QStringList names;
    for (int day = from; day <= to; ++day)
        names << named(year, month, day);
    return names;
}

} // namespace

TEST(BackupRotation, NamesCarryTheTimeTaken) {
    EXPECT_EQ(backup_rotation::automaticName(QDateTime(QDate(2026, 12, 11), QTime(7, 59, 30))),
              QStringLiteral("ztd-2026-12-11-075930.sqlite"));
    EXPECT_EQ(backup_rotation::takenAt(QStringLiteral("ztd-2026-12-11-075930.sqlite")),
              QDateTime(QDate(2026, 12, 11), QTime(7, 59, 30)));
    for (const char* other : {"ztd-2026-13-45-000000.sqlite",
                              "ztd-vor-Zurückladen-2026-12-11-"
                              "075930.sqlite",
                              "ztd-2026-12-11-075930.sqlite.teil", "ztd.sqlite"})
        EXPECT_EQ(backup_rotation::takenAt(QString::fromUtf8(other)), std::nullopt) << other;
}

// The newest ten stay, and for a year back the newest of each month.
TEST(BackupRotation, KeepsTheNewestTenAndOnePerMonthForAYear) {
    QStringList monthly;
    for (QDate month(2025, 6, 15); month < QDate(2026, 12, 1); month = month.addMonths(1))
        monthly << named(month.year(), month.month(), month.day());
    const struct {
        const char* name;
        QStringList files;
        QStringList removed;
    } cases[] = {
        {"ten or fewer", daily(2026, 12, 2, 11), {}},
        {"the eleventh goes unless it is its month's newest",
         daily(2026, 11, 30, 30) + daily(2026, 12, 1, 11),
         {named(2026, 12, 1)}},
        {"months older than a year go", monthly + daily(2026, 12, 2, 11), monthly.mid(0, 6)},
        {"of an older month only its newest stays",
         QStringList{named(2026, 10, 3), named(2026, 10, 29), named(2026, 10, 17)} +
             daily(2026, 12, 2, 11),
         {named(2026, 10, 17), named(2026, 10, 3)}},
        {"other files are never touched",
         daily(2026, 12, 2, 11) + QStringList{QStringLiteral("ztd-vor-Zurückladen-2020-01-01-"
                                                             "000000.sqlite"),
                                              QStringLiteral("notizen.txt")},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList removed = backup_rotation::toRemove(c.files, kNow);
        QStringList expected = c.removed;
        removed.sort();
        expected.sort();
        EXPECT_EQ(removed, expected);
    }
}
