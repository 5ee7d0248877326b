#include "DatabaseLocation.h"

#include <QRegularExpression>
#include <QUrl>

QString ServerAddress::url() const {
    return QStringLiteral("postgresql://%1@%2:%3/%4").arg(user, host).arg(port).arg(database);
}

namespace {
// Single quotes and backslashes escaped as the client library wants them.
QString infoValue(const QString& value) {
    QString escaped = value;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escaped.replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}
} // namespace

QString ServerAddress::connectionInfo() const {
    QString info = QStringLiteral("host=%1 port=%2 user=%3 dbname=%4 application_name=ztd "
                                  "connect_timeout=10 client_encoding=UTF8")
                       .arg(infoValue(host))
                       .arg(port)
                       .arg(infoValue(user), infoValue(database));
    if (!schema.isEmpty())
        info += QStringLiteral(" options=%1")
                    .arg(infoValue(QStringLiteral("-c search_path=") + schema));
    return info;
}

std::optional<ServerAddress> ServerAddress::parse(const QString& text, QString* error) {
    const auto refuse = [&](const QString& reason) {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    const QString form = QStringLiteral("postgresql://BENUTZER@RECHNER[:PORT]/DATENBANK");
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() ||
        (url.scheme() != QLatin1String("postgresql") && url.scheme() != QLatin1String("postgres")))
        return refuse(
            QStringLiteral("\"%1\" ist keine Datenbank-Adresse der Form %2.").arg(text, form));
    if (!url.password().isEmpty() || text.section(QLatin1Char('@'), 0, 0).count(u':') > 1)
        return refuse(QStringLiteral(
            "Das Kennwort gehört nicht in die Datenbank-Adresse: Tragen Sie es in die Datei "
            "~/.pgpass ein (oder in PGPASSFILE)."));
    ServerAddress address;
    address.user = url.userName();
    address.host = url.host();
    address.port = url.port(5432);
    address.database = url.path().mid(1);
    static const QRegularExpression name(QStringLiteral("^[^/?#]+$"));
    if (address.user.isEmpty() || address.host.isEmpty() ||
        !name.match(address.database).hasMatch() || url.hasQuery() || url.hasFragment())
        return refuse(
            QStringLiteral("\"%1\" ist keine Datenbank-Adresse der Form %2.").arg(text, form));
    return address;
}
