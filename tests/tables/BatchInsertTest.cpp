#include "Printers.h"
#include "TableFixture.h"

#include "tables/BatchInsert.h"
#include "tables/RowStream.h"
#include "tables/SqliteStatement.h"

#include <sqlite3.h>

namespace {

// How often the next inserts are refused as if another program had taken
// their number; counted outside every transaction, as another program is.
int refusalsLeft = 0;

void refuseOnce(sqlite3_context* context, int, sqlite3_value**) {
    sqlite3_result_int(context, refusalsLeft > 0 ? refusalsLeft-- : 0);
}

class BatchInsertTest : public TableFixture {
protected:
    void SetUp() override {
        addArchiveRows({{1, QStringLiteral("Albers"), 1, QString()},
                        {7, QStringLiteral("Meier"), 2, QString()}});
        if (test_database::onServer())
            return;
        sqlite3* db = sqlite_engine::handle(store.database());
        sqlite3_create_function(db, "taken", 0, SQLITE_UTF8, nullptr, refuseOnce, nullptr, nullptr);
        ASSERT_EQ(sqlite3_exec(db,
                               "CREATE TEMP TRIGGER taken BEFORE INSERT ON zt WHEN taken() "
                               "BEGIN SELECT RAISE(ABORT, 'Zaehler schon vergeben'); END",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
    }

    QStringList rows() {
        RowStream stream(store, QStringLiteral("SELECT \"Zaehler\", \"Auftraggeber\", "
                                               "coalesce(CAST(\"Kundennummer\" AS TEXT), '-') "
                                               "FROM zt ORDER BY \"Zaehler\""));
        QStringList lines;
        while (stream.next())
            lines << QStringLiteral("%1|%2|%3")
                         .arg(stream.integer(0))
                         .arg(QString::fromUtf8(stream.text(1)), QString::fromUtf8(stream.text(2)));
        return lines;
    }
};

} // namespace

TEST_F(BatchInsertTest, RowsAreNumberedAfterTheHighestInOneTransaction) {
    BatchInsert batch(store, QStringLiteral("zt"), true);
    EXPECT_EQ(batch.add({0, QStringLiteral("A-1"), QStringLiteral("Zander")}), std::nullopt);
    EXPECT_EQ(batch.add({0, QStringLiteral("A-2"), QStringLiteral("Öztürk")}), std::nullopt);
    // The next test date is the 35th field.
    const auto withDate = [](const QString& name, const QString& date) {
        QVariantList values(35, QString());
        values[0] = 0;
        values[2] = name;
        values[34] = date;
        return values;
    };
    EXPECT_EQ(batch.add(withDate(QString(40, u'x'), QStringLiteral("1.1.11"))), std::nullopt);
    EXPECT_EQ(batch.add(withDate(QStringLiteral("Ulm"), QStringLiteral("31.02.2011"))),
              std::optional<QString>(QStringLiteral("'31.02.2011' ist kein gültiges Datum")));
    EXPECT_EQ(batch.pending(), 3);
    const BatchInsert::Written written = batch.write();
    EXPECT_EQ(written.error, QString());
    EXPECT_EQ(written.rows, 3);
    EXPECT_EQ(written.firstNumber, 8);
    EXPECT_EQ(batch.pending(), 0);
    EXPECT_EQ(rows(), (QStringList{"1|Albers|1", "7|Meier|2", "8|Zander|-", "9|Öztürk|-",
                                   "10|" + QString(35, u'x') + "|-"}));
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(BatchInsertTest, ANumberTakenMeanwhileIsGivenAgainAndAFaultThatStaysEndsTheWrite) {
    SKIP_ON_SERVER("the refusals are made by a function of SQLite's");
    BatchInsert batch(store, QStringLiteral("zt"), true);
    batch.add({0, QStringLiteral("A-1"), QStringLiteral("Zander")});
    batch.add({0, QStringLiteral("A-2"), QStringLiteral("Öztürk")});
    refusalsLeft = 1;
    BatchInsert::Written written = batch.write();
    EXPECT_EQ(written.error, QString());
    EXPECT_EQ(written.firstNumber, 8);
    EXPECT_EQ(rows().size(), 4);

    // Refused again and again: the batch stays whole and unwritten, and the
    // write says why instead of trying for ever.
    batch.add({0, QStringLiteral("A-3"), QStringLiteral("Ulm")});
    refusalsLeft = 1000;
    written = batch.write();
    EXPECT_GT(refusalsLeft, 990);
    EXPECT_EQ(written.rows, 0);
    EXPECT_EQ(written.error,
              QStringLiteral("Schlüsselverletzung in der Tabelle \"zt\": Zaehler schon vergeben"));
    EXPECT_EQ(batch.pending(), 1);
    EXPECT_EQ(rows().size(), 4);
    EXPECT_FALSE(store.inTransaction());
    refusalsLeft = 0;
    EXPECT_EQ(batch.write().rows, 1);
    EXPECT_EQ(rows().last(), "10|Ulm|-");
}
