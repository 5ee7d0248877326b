#include "TableFixture.h"

#include <QSqlError>

namespace {
class TableStoreMessages : public TableFixture {};
} // namespace

// The engine's failures reach the user with their German meaning first; the
// engine's own words may only follow.
TEST_F(TableStoreMessages, EngineFailuresAreToldInGerman) {
    const QString database = store.databasePath();
    const struct {
        const char* code;
        const char* detail;
        QString text;
    } cases[] = {
        {"13", "database or disk is full",
         QStringLiteral("Der Datenträger ist voll: In die Datenbank \"%1\" kann nichts mehr "
                        "geschrieben werden (database or disk is full).")
             .arg(database)},
        {"8", "attempt to write a readonly database",
         QStringLiteral("Die Daten können nur gelesen werden: Die Datenbank \"%1\" lässt sich "
                        "nicht beschreiben (attempt to write a readonly database).")
             .arg(database)},
        {"778", "disk I/O error",
         QStringLiteral("Der Datenträger der Datenbank \"%1\" meldet einen Lese- oder "
                        "Schreibfehler (disk I/O error).")
             .arg(database)},
        {"3", "access permission denied",
         QStringLiteral("Der Zugriff auf die Datenbank \"%1\" wird verweigert (access "
                        "permission denied).")
             .arg(database)},
        {"5", "database is locked",
         QStringLiteral("Die Tabelle \"zt\" ist von einem anderen Programm gesperrt. Bitte "
                        "schließen Sie das andere Programm und versuchen Sie es noch einmal.")},
    };
    QStringList expected;
    for (const auto& c : cases) {
        store.reportError(QStringLiteral("zt"),
                          QSqlError(QString::fromUtf8(c.detail), {}, QSqlError::StatementError,
                                    QString::fromUtf8(c.code)));
        expected << QStringLiteral("Fehler|") + c.text;
    }
    EXPECT_EQ(prompter.messages(), expected);
}
