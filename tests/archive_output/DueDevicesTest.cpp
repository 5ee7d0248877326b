#include "archive_output/DueDevices.h"
#include "PageTexts.h"
#include "QueryPlan.h"
#include "TableFixture.h"
#include "archive_output/DueList.h"
#include "print/RecordingPrintTarget.h"
#include "tables/SqliteStatement.h"

#include <QSqlQuery>

using namespace due_devices;

namespace {

const Query kQuery{QDate(2026, 12, 11), 30};

class DueDevicesTest : public TableFixture {
protected:
    // Rows from the tester carry no customer at all.
    void dropCustomer(int number) {
        QSqlQuery query(store.database());
        ASSERT_TRUE(query.exec(
            QStringLiteral("UPDATE zt SET \"Kundennummer\" = NULL WHERE \"Zaehler\" = %1")
                .arg(number)));
    }
};

// Each group as "title|count|number:TT.MM.JJJJ:urgency …".
QStringList described(const QList<Group>& groups) {
    QStringList lines;
    for (const Group& group : groups) {
        QStringList devices;
        for (const Device& device : group.devices)
            devices << QStringLiteral("%1:%2:%3")
                           .arg(device.number)
                           .arg(device.Termin.toString(QStringLiteral("dd.MM.yyyy")),
                                urgencyText(kQuery.urgencyOf(device.Termin)));
        lines << groupTitle(group) + QLatin1Char('|') + countText(group.count) + QLatin1Char('|') +
                     devices.join(QLatin1Char(' '));
    }
    return lines;
}

} // namespace

TEST_F(DueDevicesTest, DueFromThePastToTheLastDayIncluded) {
    addArchiveRows({{1, "Müller", 3, "10.12.2026"},
                    {2, "Müller", 3, "11.12.2026"},
                    {3, "Müller", 3, "10.01.2027"},
                    {4, "Müller", 3, "11.01.2027"},
                    {5, "Müller", 3, ""},
                    {6, "Müller", 3, "01.01.2001"},
                    {7, "Müller", 3, "31.12.2099"}});
    const auto groups = readAll(store, kQuery);
    ASSERT_TRUE(groups);
    EXPECT_EQ(described(*groups),
              QStringList{"3 Müller|4 Geräte|6:01.01.2001:überfällig 1:10.12.2026:überfällig "
                          "2:11.12.2026:fällig 3:10.01.2027:fällig"});
}

TEST_F(DueDevicesTest, AnImpossibleDateIsNeverStored) {
    TableCursor zt(store, QStringLiteral("zt"));
    ASSERT_TRUE(zt.open());
    ASSERT_TRUE(zt.insert());
    zt.setInteger(QStringLiteral("Zaehler"), 1);
    EXPECT_FALSE(zt.setText(QStringLiteral("Termin"), QStringLiteral("31.02.2026")));
    ASSERT_TRUE(zt.post());
    const auto groups = readAll(store, kQuery);
    ASSERT_TRUE(groups);
    EXPECT_TRUE(groups->isEmpty());
}

TEST_F(DueDevicesTest, PagesGoOnWhereTheLastEndedAndCountWholeCustomers) {
    addArchiveRows({{1, "Schmidt", 7, "01.12.2026"},
                    {2, "Schmidt", 7, "01.11.2026"},
                    {3, "", 0, "05.12.2026"},
                    {4, "Müller", 3, "20.12.2026"},
                    {5, "", 0, "04.12.2026"},
                    {6, "Müller", 3, "20.12.2026"},
                    {7, "Schmidt", 7, "02.01.2027"}});
    dropCustomer(3);
    dropCustomer(5);
    const QStringList pages[] = {
        {"ohne Kunde|2 Geräte|5:04.12.2026:überfällig 3:05.12.2026:überfällig",
         "3 Müller|2 Geräte|4:20.12.2026:fällig"},
        {"3 Müller|2 Geräte|6:20.12.2026:fällig",
         "7 Schmidt|3 Geräte|2:01.11.2026:überfällig 1:01.12.2026:überfällig"},
        {"7 Schmidt|3 Geräte|7:02.01.2027:fällig"},
    };
    std::optional<Position> after;
    for (const QStringList& expected : pages) {
        const auto page = readPage(store, kQuery, 3, after);
        ASSERT_TRUE(page);
        EXPECT_EQ(described(page->groups), expected);
        after = page->next;
    }
    EXPECT_FALSE(after);
    const auto all = readAll(store, kQuery);
    ASSERT_TRUE(all);
    EXPECT_EQ(described(*all),
              (QStringList{pages[0][0], "3 Müller|2 Geräte|4:20.12.2026:fällig 6:20.12.2026:fällig",
                           "7 Schmidt|3 Geräte|2:01.11.2026:überfällig 1:01.12.2026:überfällig "
                           "7:02.01.2027:fällig"}));
}

// The first page costs the same at any size: every read seeks the index of
// customer and date, and none sorts.
TEST_F(DueDevicesTest, EveryReadSeeksAnIndexAndNoneSorts) {
    SKIP_ON_SERVER("SQLite's own plans");
    QList<std::tuple<int, QString, int, QString>> rows;
    for (int i = 1; i <= 40; ++i)
        rows.append({i, QStringLiteral("Kunde %1").arg(i % 4), i % 4, "01.12.2026"});
    addArchiveRows(rows);
    dropCustomer(1);
    sqlite3* db = sqlite_engine::handle(store.database());
    StatementTrace trace(db);
    std::optional<Position> after;
    do {
        const auto page = readPage(store, kQuery, 7, after);
        ASSERT_TRUE(page);
        after = page->next;
    } while (after);
    int checked = 0;
    for (const QString& sql : trace.statements()) {
        if (!sql.contains(QLatin1String("FROM \"zt\"")))
            continue;
        ++checked;
        for (const QString& step : planOf(db, sql))
            EXPECT_TRUE(step.startsWith(QLatin1String("SEARCH zt USING ")) &&
                        step.contains(QLatin1String("INDEX zt#Kundennummer+Termin (")) &&
                        !step.contains(QLatin1String("TEMP B-TREE")))
                << step.toStdString() << "\n  in " << sql.toStdString();
    }
    EXPECT_GE(checked, 10);
}

TEST(DueListPages, APageStartingInsideACustomerRepeatsItsHeading) {
    Group first{3, QStringLiteral("Müller"), 48, {}};
    for (int i = 1; i <= 48; ++i)
        first.devices.append({i,
                              QStringLiteral("Bohrmaschine"),
                              QStringLiteral("Bosch"),
                              {},
                              QStringLiteral("SN%1").arg(i),
                              QDate(2026, 12, 1)});
    Group second{7, QStringLiteral("Schmidt"), 2, {}};
    for (int i = 49; i <= 50; ++i)
        second.devices.append({i,
                               QStringLiteral("Kaffeemaschine"),
                               QStringLiteral("Krups"),
                               {},
                               QStringLiteral("K%1").arg(i),
                               QDate(2026, 12, 20)});
    RecordingPrintTarget target;
    due_list::draw(target, kQuery, {first, second},
                   [](const QString& problem) { ADD_FAILURE() << problem.toStdString(); });
    const QList<QStringList> pages = pageTexts(target);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[0].mid(0, 11),
              (QStringList{"50,150:Fällige Prüfungen bis 10.01.2027", "50,900:Stand 11.12.2026",
                           "50,1500:Termin", "1900,1500:Zustand", "3900,1500:Nr.",
                           "5200,1500:Geräteart", "10500,1500:Hersteller",
                           "14100,1500:Seriennummer", "50,2100:3 Müller – 48 Geräte",
                           "50,2600:01.12.2026", "1900,2600:überfällig"}));
    // 49 lines: the heading of the next customer would stand alone on the 50th.
    EXPECT_EQ(pages[0].size(), 8 + 1 + 48 * 6 + 1);
    EXPECT_EQ(pages[0].last(), "16000,27200:Seite 1 von 2");
    EXPECT_EQ(pages[1].mid(8, 4), (QStringList{"50,2100:7 Schmidt – 2 Geräte", "50,2600:20.12.2026",
                                               "1900,2600:fällig", "3900,2600:49"}));
    EXPECT_EQ(pages[1].last(), "16000,27200:Seite 2 von 2");
}
