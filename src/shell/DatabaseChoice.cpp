#include "DatabaseChoice.h"

#include <QSettings>
#include <QStandardPaths>

namespace database_choice {
namespace {
const QString kKey = QStringLiteral("Server");
}

QString defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           QStringLiteral("/Datenbank.ini");
}

QString serverBackupNotice() {
    return QStringLiteral("Datensicherung und Zurückladen gelten für die Datei im Datenordner. "
                          "Ein Archiv auf einem Datenbankserver sichert dessen Verwalter, zum "
                          "Beispiel mit pg_dump.");
}

std::variant<DatabaseLocation, QString> resolve(const QString& dataFolder, const QString& given,
                                                const QString& settingsPath) {
    const QString chosen =
        given.isEmpty() ? QSettings(settingsPath, QSettings::IniFormat).value(kKey).toString()
                        : given;
    if (chosen.isEmpty() || chosen == QLatin1String(kLocalFile))
        return DatabaseLocation(dataFolder);
    QString error;
    const auto server = ServerAddress::parse(chosen, &error);
    if (!server)
        return given.isEmpty() ? QStringLiteral("Die gespeicherte Datenbank-Wahl in \"%1\" gilt "
                                                "nicht: %2")
                                     .arg(settingsPath, error)
                               : error;
    return DatabaseLocation(dataFolder, *server);
}

bool remember(const QString& given, const QString& settingsPath) {
    if (given.isEmpty())
        return true;
    QSettings file(settingsPath, QSettings::IniFormat);
    if (given == QLatin1String(kLocalFile))
        file.remove(kKey);
    else
        file.setValue(kKey, given);
    file.sync();
    return file.status() == QSettings::NoError;
}

} // namespace database_choice
