#include "DataDirectory.h"

#include <QStandardPaths>

QString dataDirectory(const QString& fromCommandLine) {
    if (!fromCommandLine.isEmpty())
        return fromCommandLine;
    const QString fromEnvironment = qEnvironmentVariable("ZTD_DATA");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}
