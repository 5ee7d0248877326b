#pragma once

#include "TesterModel.h"

#include <QString>

#include <chrono>
#include <cstdio>
#include <deque>

// Serves the simulated tester on a pseudo-terminal. Every byte in either
// direction is logged as "<seconds> <- 66" (received) or "<seconds> -> 83"
// (sent). Keys typed on standard input ("1", "2", "4", "5", "J", "N") are
// presses of the tester's own keys.
class PtyServer {
public:
    explicit PtyServer(TesterModel& tester, std::FILE* log);
    ~PtyServer();

    // Opens the pseudo-terminal; false with a message when that fails.
    bool open(QString* error);
    // The device the program opens, e.g. /dev/pts/4.
    QString devicePath() const { return devicePath_; }
    // Serves until the process is stopped.
    void serve();

private:
    struct Pending {
        std::chrono::steady_clock::time_point due;
        QByteArray bytes;
    };

    double seconds() const;
    void schedule(const Emissions& emissions);
    void sendDue();
    void readLine();
    void readStdin();

    TesterModel& tester_;
    std::FILE* log_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point lastDue_;
    std::deque<Pending> pending_;
    int master_ = -1;
    int slave_ = -1;
    bool stdinOpen_ = true;
    QByteArray stdinBuffer_;
    QString devicePath_;
};
