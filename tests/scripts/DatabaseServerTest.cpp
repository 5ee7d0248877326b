#include "tables/GermanCollation.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <gtest/gtest.h>

#include <tuple>

// The PostgreSQL server ./test starts: reachable through Qt's driver with the
// URL's parts alone (the password comes from PGPASSFILE), and able to compare
// text the way the SQLite collation does.
namespace {

class DatabaseServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString address = qEnvironmentVariable("ZTD_TEST_POSTGRES");
        if (address.isEmpty())
            GTEST_SKIP() << "ZTD_TEST_POSTGRES is not set (./test sets it where PostgreSQL runs)";
        url_ = QUrl(address);
        ASSERT_TRUE(QSqlDatabase::isDriverAvailable("QPSQL")) << "Qt's QPSQL driver is missing";
        auto db = QSqlDatabase::addDatabase("QPSQL", kConnection);
        db.setHostName(url_.host());
        db.setPort(url_.port());
        db.setUserName(url_.userName());
        db.setDatabaseName(url_.path().mid(1));
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
    }

    void TearDown() override {
        QSqlDatabase::database(kConnection, false).close();
        QSqlDatabase::removeDatabase(kConnection);
    }

    static QSqlDatabase database() { return QSqlDatabase::database(kConnection, false); }

    static constexpr const char* kConnection = "database_server_test";
    QUrl url_;
};

TEST_F(DatabaseServerTest, AnswersAsTheRoleZtdInTheTestDatabaseWithoutAPasswordGiven) {
    EXPECT_EQ(url_.password(), "");
    EXPECT_EQ(url_.host(), "127.0.0.1");
    QSqlQuery query(database());
    ASSERT_TRUE(query.exec("SELECT current_user, current_database(), "
                           "current_setting('server_version_num')::int / 10000, "
                           "inet_server_addr()::text") &&
                query.next())
        << query.lastError().text().toStdString();
    EXPECT_EQ(query.value(0).toString(), "ztd");
    EXPECT_EQ(query.value(1).toString(), "ztd_test");
    EXPECT_EQ(query.value(2).toInt(), 15);
    EXPECT_EQ(query.value(3).toString(), "127.0.0.1/32");
}

// Pairs on which the server's German collation and ours agree: letters fold to
// their lower-case base letter, digits and space come before letters.
TEST_F(DatabaseServerTest, GermanCollationOrdersAndComparesLikeOurs) {
    const struct {
        QString left, right;
        int order;
    } cases[] = {
        {"Müller", "müller", 0},
        {"Müller", "Muller", 0},
        {"müller", "MULLER", 0},
        {"Straße", "Strasse", 0},
        {"STRASSE", "straße", 0},
        {"Straße", "STRAẞE", 0},
        {"Æther", "Aether", 0},
        {"Œuvre", "oeuvre", 0},
        {"Ørsted", "orsted", 0},
        {"Łódź", "lodz", 0},
        {"é", "E", 0},
        {"", "", 0},
        {"", "a", -1},
        {"Apfel", "Äpfel", 0},
        {"Äpfel", "Ärger", -1},
        {"baer", "Bär", -1},
        {"Bär", "Bart", -1},
        {"Mueller", "Müller", -1},
        {"Mülleimer", "Müller", -1},
        {"Strasse", "Strassen", -1},
        {"Strassen", "Straßenbau", -1},
        {"Ofen", "Öl", -1},
        {"Zaehler", "zz", -1},
        {"z", "Ω", -1},
        {"01", "1", -1},
        {"10", "9", -1},
        {"9", "a", -1},
        {" x", "1", -1},
        {"a", "a b", -1},
        {"a b", "ab", -1},
        {"a1", "aa", -1},
        {"ab", "AB ", -1},
    };
    auto db = database();
    ASSERT_TRUE(db.transaction());
    QSqlQuery query(db);
    ASSERT_TRUE(query.exec("CREATE COLLATION pg_temp.ztd_de (provider = icu, "
                           "locale = 'de-u-ks-level1', deterministic = false)"))
        << query.lastError().text().toStdString();
    ASSERT_TRUE(query.prepare("SELECT CASE WHEN ?::text < ?::text COLLATE pg_temp.ztd_de THEN -1 "
                              "WHEN ?::text = ?::text COLLATE pg_temp.ztd_de THEN 0 ELSE 1 END"));
    for (const auto& c : cases) {
        for (const auto& [left, right, order] :
             {std::tuple{c.left, c.right, c.order}, std::tuple{c.right, c.left, -c.order}}) {
            for (const QString& value : {left, right, left, right})
                query.addBindValue(value);
            ASSERT_TRUE(query.exec() && query.next()) << query.lastError().text().toStdString();
            const int ours = german_collation::compare(left, right);
            EXPECT_EQ(query.value(0).toInt(), order)
                << left.toStdString() << " vs " << right.toStdString();
            EXPECT_EQ((ours > 0) - (ours < 0), order)
                << left.toStdString() << " vs " << right.toStdString();
        }
    }
    db.rollback();
}

} // namespace
