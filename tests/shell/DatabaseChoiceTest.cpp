#include "shell/DatabaseChoice.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
// The location a resolve gives as "folder|server address", or "! reason".
QString resolved(const QString& given, const QString& settings) {
    const auto chosen = database_choice::resolve(QStringLiteral("/daten"), given, settings);
    if (const QString* problem = std::get_if<QString>(&chosen))
        return QStringLiteral("! ") + *problem;
    const DatabaseLocation& location = std::get<DatabaseLocation>(chosen);
    return location.folder + QLatin1Char('|') +
           (location.server.isSet() ? location.server.url() : QString());
}
} // namespace

// The address given for the run wins; a window's run keeps it for the next
// starts, "datei" forgets it, and a run without one takes the one kept.
TEST(DatabaseChoice, GivenThenRememberedThenTheFile) {
    QTemporaryDir dir;
    const QString settings = dir.filePath(QStringLiteral("Datenbank.ini"));
    const QString server = QStringLiteral("postgresql://werkstatt@db:5432/ztd");
    EXPECT_EQ(resolved({}, settings), "/daten|");
    EXPECT_EQ(resolved(server, settings), "/daten|" + server);
    EXPECT_EQ(resolved({}, settings), "/daten|");

    ASSERT_TRUE(database_choice::remember(server, settings));
    EXPECT_EQ(resolved({}, settings), "/daten|" + server);
    EXPECT_EQ(resolved(QStringLiteral("datei"), settings), "/daten|");
    ASSERT_TRUE(database_choice::remember({}, settings));
    EXPECT_EQ(resolved({}, settings), "/daten|" + server);
    ASSERT_TRUE(database_choice::remember(QStringLiteral("datei"), settings));
    EXPECT_EQ(resolved({}, settings), "/daten|");
}

TEST(DatabaseChoice, AKeptAddressThatNoLongerHoldsIsNamedWithItsFile) {
    QTemporaryDir dir;
    const QString settings = dir.filePath(QStringLiteral("Datenbank.ini"));
    QFile file(settings);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[General]\nServer=postgresql://werkstatt:geheim@db/ztd\n");
    file.close();
    EXPECT_EQ(resolved({}, settings),
              QStringLiteral("! Die gespeicherte Datenbank-Wahl in \"%1\" gilt nicht: Das "
                             "Kennwort gehört nicht in die Datenbank-Adresse: Tragen Sie es in "
                             "die Datei ~/.pgpass ein (oder in PGPASSFILE).")
                  .arg(settings));
}
