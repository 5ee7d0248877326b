#include "QueryPlan.h"
#include "TableFixture.h"

#include "addresses/CustomerTable.h"
#include "tables/SqliteStatement.h"

// Every read and write the archive's cursors issue with a condition seeks an
// index, and none sorts: a step costs the same at any size.
TEST_F(TableFixture, ArchiveQueriesSeekAnIndex) {
    SKIP_ON_SERVER("SQLite's own plans");
    QList<std::tuple<int, QString, int, QString>> rows;
    for (int i = 1; i <= 400; ++i)
        rows.append({i, QStringLiteral("Kunde %1").arg(i % 40), i % 40, "01.01.2012"});
    addArchiveRows(rows);
    addCustomers({{5, "Kunde 5"}});
    TableCursor zt(store, QStringLiteral("zt"));
    ASSERT_TRUE(zt.addIndex(QStringLiteral("Standard"), QStringLiteral("Zaehler")));
    ASSERT_TRUE(zt.addIndex(QStringLiteral("Aktuell"), QStringLiteral("Auftraggeber;Zaehler")));

    sqlite3* db = sqlite_engine::handle(store.database());
    auto trace = std::make_unique<StatementTrace>(db);

    zt.setIndexName(QStringLiteral("Aktuell"));
    ASSERT_TRUE(zt.open());
    zt.next();
    zt.prior();
    zt.last();
    zt.locate(QStringLiteral("Auftraggeber"), {QStringLiteral("kunde 3")}, {true, true});
    zt.setIndexName(QStringLiteral("Standard"));
    zt.setFilter(QStringLiteral("Auftraggeber='Kunde 7' AND Termin<= 31.12.2012 "));
    zt.findFirst();
    zt.findNext();
    zt.setFiltered(true);
    zt.next();
    // A new search takes the last one's marks off: only the marked rows are read.
    zt.setValueInAllRows(QStringLiteral("Gefunden"), false);
    EXPECT_TRUE(customer_table::isUsedInArchive(store, 5));
    TableCursor kunden(store, QStringLiteral("kunden"));
    kunden.beforePost = [&](TableCursor& c) { customer_table::beforePost(c, prompter); };
    kunden.open();
    kunden.edit();
    kunden.setText(QStringLiteral("Auftraggeber"), QStringLiteral("Kunde fünf"));
    ASSERT_TRUE(kunden.post());
    const QStringList statements = trace->statements();
    trace.reset();

    int checked = 0;
    for (const QString& sql : std::as_const(statements)) {
        if (!sql.contains(QLatin1String("FROM \"zt\"")) && !sql.startsWith("UPDATE \"zt\""))
            continue;
        ++checked;
        for (const QString& step : planOf(db, sql)) {
            // A scan without a condition stops at its first row (LIMIT 1); the
            // index of the marks holds the marked rows alone.
            const bool filteredScan = step.startsWith(QLatin1String("SCAN")) &&
                                      sql.contains(QLatin1String(" WHERE ")) &&
                                      !step.endsWith(QLatin1String("USING INDEX zt#Gefunden"));
            EXPECT_FALSE(filteredScan || step.contains(QLatin1String("TEMP B-TREE")) ||
                         step.startsWith(QLatin1String("FEHLER")))
                << step.toStdString() << "\n  in " << sql.toStdString();
        }
    }
    EXPECT_GE(checked, 10);
}
