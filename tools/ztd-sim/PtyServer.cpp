#include "PtyServer.h"

#include "tester/TesterBytes.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

using Clock = std::chrono::steady_clock;

PtyServer::PtyServer(TesterModel& tester, std::FILE* log)
    : tester_(tester)
    , log_(log)
    , start_(Clock::now())
    , lastDue_(start_) {}

PtyServer::~PtyServer() {
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

bool PtyServer::open(QString* error) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        *error = QStringLiteral("Pseudo-Terminal nicht verfügbar: %1")
                     .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    devicePath_ = QFile::decodeName(ptsname(master_));
    // Holding the other end open keeps the line up between the program's
    // sessions, and the raw mode keeps the line discipline off the bytes.
    slave_ = ::open(ptsname(master_), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    if (slave_ < 0 || tcgetattr(slave_, &tio) != 0) {
        *error = QStringLiteral("Pseudo-Terminal %1 lässt sich nicht öffnen").arg(devicePath_);
        return false;
    }
    cfmakeraw(&tio);
    tcsetattr(slave_, TCSANOW, &tio);
    return true;
}

double PtyServer::seconds() const {
    return std::chrono::duration<double>(Clock::now() - start_).count();
}

void PtyServer::schedule(const Emissions& emissions) {
    for (const Emission& e : emissions) {
        lastDue_ = std::max(lastDue_, Clock::now()) + std::chrono::milliseconds(e.delayMs);
        pending_.push_back({lastDue_, e.bytes});
    }
}

void PtyServer::sendDue() {
    while (!pending_.empty() && pending_.front().due <= Clock::now()) {
        const QByteArray bytes = pending_.front().bytes;
        pending_.pop_front();
        if (::write(master_, bytes.constData(), static_cast<size_t>(bytes.size())) < 0)
            std::fprintf(log_, "%.3f !! %s\n", seconds(), std::strerror(errno));
        for (char byte : bytes)
            std::fprintf(log_, "%.3f -> %02X\n", seconds(), static_cast<unsigned char>(byte));
    }
    std::fflush(log_);
}

void PtyServer::readLine() {
    unsigned char buffer[256];
    const ssize_t count = ::read(master_, buffer, sizeof buffer);
    for (ssize_t i = 0; i < count; ++i) {
        std::fprintf(log_, "%.3f <- %02X\n", seconds(), buffer[i]);
        schedule(tester_.receive(buffer[i]));
    }
    std::fflush(log_);
}

void PtyServer::readStdin() {
    char buffer[256];
    const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (count <= 0) {
        stdinOpen_ = false;
        return;
    }
    stdinBuffer_.append(buffer, count);
    qsizetype end;
    while ((end = stdinBuffer_.indexOf('\n')) >= 0) {
        const QByteArray command = stdinBuffer_.left(end).trimmed();
        stdinBuffer_.remove(0, end + 1);
        static const QByteArray keys[] = {"1", "2", "4", "5", "J", "N"};
        using namespace tester_byte;
        static const std::uint8_t bytes[] = {kKey0701,    kKey0702,        kKeyAuto,
                                             kCorrection, kWithInsulation, kWithoutInsulation};
        const auto* key = std::find(std::begin(keys), std::end(keys), command);
        if (key != std::end(keys))
            schedule(tester_.pressKey(bytes[key - std::begin(keys)]));
        else if (!command.isEmpty())
            std::fprintf(stderr, "ztd-sim: unbekannte Taste \"%s\" (1, 2, 4, 5, J oder N)\n",
                         command.constData());
    }
}

void PtyServer::serve() {
    // How often a live reading is sent again while the tester waits for a key.
    constexpr auto kLiveRepeat = std::chrono::milliseconds(1000);
    for (;;) {
        if (pending_.empty() && !tester_.liveMessage().isEmpty() &&
            Clock::now() >= lastDue_ + kLiveRepeat)
            schedule({{0, tester_.liveMessage()}});
        int timeout = -1;
        if (!pending_.empty()) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                pending_.front().due - Clock::now());
            timeout = static_cast<int>(std::max<std::int64_t>(left.count(), 0));
        } else if (!tester_.liveMessage().isEmpty()) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                lastDue_ + kLiveRepeat - Clock::now());
            timeout = static_cast<int>(std::max<std::int64_t>(left.count(), 0));
        }
        pollfd fds[2] = {{master_, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        const int ready = ::poll(fds, stdinOpen_ ? 2 : 1, timeout);
        if (ready < 0 && errno != EINTR)
            return;
        if (fds[0].revents & POLLIN)
            readLine();
        else if (fds[0].revents & (POLLHUP | POLLERR))
            ::usleep(10000); // nobody has the line open just now
        if (stdinOpen_ && (fds[1].revents & (POLLIN | POLLHUP)))
            readStdin();
        sendDue();
    }
}
