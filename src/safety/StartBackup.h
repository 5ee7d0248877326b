#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

#include <thread>

class Prompter;

// The automatic backup at start, written while the program starts and runs:
// it holds the data as they were before this run wrote anything. A failure is
// told through the prompter from the event loop; going, it waits for the copy,
// so no half-written file stays behind.
class StartBackup {
public:
    StartBackup(Prompter& prompter, const QString& dataFolder, const QDateTime& now);
    ~StartBackup();
    StartBackup(const StartBackup&) = delete;
    StartBackup& operator=(const StartBackup&) = delete;

    // Until the copy is written, checked and the old ones rotated, or failed.
    void wait();

private:
    Prompter& prompter_;
    // Lives on the starting thread: the failure is queued to its event loop.
    QObject receiver_;
    std::thread worker_;
};
