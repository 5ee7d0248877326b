#include "InstanceLock.h"

#include <QDir>

InstanceLock::InstanceLock(const QString& dataFolder)
    : folder_(dataFolder)
    , lock_(QDir(dataFolder).filePath(fileName())) {
    // Only a lock whose process is gone is stale, however old it is.
    lock_.setStaleLockTime(0);
}

std::optional<QString> InstanceLock::acquire() {
    QDir().mkpath(folder_);
    if (lock_.tryLock(0) || lock_.error() == QLockFile::PermissionError)
        return std::nullopt;
    if (lock_.error() == QLockFile::LockFailedError)
        return QStringLiteral("Das Archiv in %1 ist bereits in einem anderen ztd-Fenster "
                              "geöffnet.")
            .arg(QDir::toNativeSeparators(folder_));
    return QStringLiteral("Die Sperrdatei \"%1\" im Datenordner kann nicht angelegt werden.")
        .arg(QDir::toNativeSeparators(lock_.fileName()));
}
