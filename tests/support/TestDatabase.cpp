#include "TestDatabase.h"

#include <QCryptographicHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace test_database {
namespace {
constexpr const char* kAdmin = "ztd-test-schemas";

QStringList& schemas() {
    static QStringList made;
    return made;
}

std::optional<ServerAddress> testServer() {
    const QString url = qEnvironmentVariable("ZTD_TEST_POSTGRES");
    return url.isEmpty() ? std::nullopt : ServerAddress::parse(url, nullptr);
}

QSqlDatabase admin() {
    QSqlDatabase db = QSqlDatabase::database(QLatin1String(kAdmin), false);
    if (db.isValid())
        return db;
    const ServerAddress server = *testServer();
    db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QLatin1String(kAdmin));
    db.setHostName(server.host);
    db.setPort(server.port);
    db.setUserName(server.user);
    db.setDatabaseName(server.database);
    return db;
}

class Schemas : public ::testing::Environment {
public:
    void SetUp() override {
        if (onServer() && !testServer())
            GTEST_SKIP() << "ZTD_TEST_POSTGRES is not set (./test sets it where PostgreSQL runs)";
    }
    void TearDown() override {
        if (schemas().isEmpty())
            return;
        QSqlDatabase db = admin();
        for (const QString& schema : std::as_const(schemas()))
            QSqlQuery(db).exec(QStringLiteral("DROP SCHEMA IF EXISTS \"%1\" CASCADE").arg(schema));
        db.close();
    }
};
} // namespace

bool onServer() {
    return qEnvironmentVariable("ZTD_TEST_ENGINE") == QLatin1String("postgresql");
}

DatabaseLocation location(const QString& folder) {
    if (!onServer() || !testServer())
        return DatabaseLocation(folder);
    ServerAddress server = *testServer();
    server.schema =
        QStringLiteral("t_") +
        QString::fromLatin1(
            QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(20));
    if (!schemas().contains(server.schema)) {
        QSqlDatabase db = admin();
        QSqlQuery create(db);
        if (!db.open() ||
            !create.exec(QStringLiteral("CREATE SCHEMA IF NOT EXISTS \"%1\"").arg(server.schema)))
            ADD_FAILURE() << "no schema on the test server: "
                          << (db.lastError().isValid() ? db.lastError() : create.lastError())
                                 .text()
                                 .toStdString();
        schemas() << server.schema;
    }
    return DatabaseLocation(folder, server);
}

::testing::Environment* environment() {
    return new Schemas;
}

} // namespace test_database
