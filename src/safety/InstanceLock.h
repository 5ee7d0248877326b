#pragma once

#include <QLockFile>
#include <QString>

#include <optional>

// One program at a time on a data folder: a lock file in the folder, held
// while the program runs. The lock of a program that ended without letting go
// (a crash, kill -9, a power cut) names a process that is gone and is taken over.
class InstanceLock {
public:
    explicit InstanceLock(const QString& dataFolder);
    static QString fileName() { return QStringLiteral("ztd.lock"); }

    // Nothing once this program holds the folder; else the German reason.
    // A folder this user cannot write is not locked: nothing is written there.
    std::optional<QString> acquire();

private:
    QString folder_;
    QLockFile lock_;
};
