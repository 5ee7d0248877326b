#include "TermiosSerial.h"

#include "SystemSerialPorts.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

speed_t speedFor(int baudRate) {
    switch (baudRate) {
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    default:
        return B9600;
    }
}

bool apply(int fd, const LineSettings& settings) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return false;
    cfmakeraw(&tio);
    cfsetispeed(&tio, speedFor(settings.baudRate));
    cfsetospeed(&tio, speedFor(settings.baudRate));
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    tio.c_cflag |= CREAD | CLOCAL;
    tio.c_cflag |= settings.dataBits == 7 ? CS7 : CS8;
    if (settings.parity == 'E' || settings.parity == 'O')
        tio.c_cflag |= PARENB | (settings.parity == 'O' ? PARODD : 0);
    if (settings.stopBits == 2)
        tio.c_cflag |= CSTOPB;
    // The kernel's hardware handshake holds back output while CTS is off and
    // drives RTS itself.
    if (settings.ctsOutputFlow || settings.rtsHandshake)
        tio.c_cflag |= CRTSCTS;
    if (settings.parityCheck)
        tio.c_iflag |= INPCK;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (tcsetattr(fd, TCSANOW, &tio) != 0)
        return false;
    if (!settings.dtrOn) {
        // A pseudo-terminal has no DTR line; that is no failure.
        int dtr = TIOCM_DTR;
        ioctl(fd, TIOCMBIC, &dtr);
    }
    return true;
}

class TermiosDevice : public SerialDevice {
public:
    explicit TermiosDevice(int fd)
        : fd_(fd) {}
    ~TermiosDevice() override {
        if (fd_ >= 0)
            close();
    }

    bool ctsOn() override {
        int lines = 0;
        // Without modem lines (a pseudo-terminal) there is nothing to wait for.
        if (ioctl(fd_, TIOCMGET, &lines) != 0)
            return true;
        return (lines & TIOCM_CTS) != 0;
    }
    int bytesWaiting() override {
        int waiting = 0;
        return ioctl(fd_, FIONREAD, &waiting) == 0 ? waiting : 0;
    }
    int bytesToSend() override {
        int pending = 0;
        return ioctl(fd_, TIOCOUTQ, &pending) == 0 ? pending : 0;
    }
    int read(std::uint8_t* buffer, int maxBytes) override {
        const ssize_t count = ::read(fd_, buffer, static_cast<size_t>(maxBytes));
        return count > 0 ? static_cast<int>(count) : 0;
    }
    bool writeByte(std::uint8_t byte) override { return ::write(fd_, &byte, 1) == 1; }
    bool close() override {
        // The exclusive mode outlives this handle while the other end of a
        // pseudo-terminal stays open; the next session must be able to open it.
        ioctl(fd_, TIOCNXCL);
        if (::close(fd_) != 0)
            return false;
        fd_ = -1;
        return true;
    }

private:
    int fd_;
};

} // namespace

bool TermiosSerialPorts::exists(int index) const {
    const QString device = slots_.device(index);
    return !device.isEmpty() && QFileInfo::exists(device);
}

std::unique_ptr<SerialDevice> TermiosSerialPorts::open(int index, const LineSettings& settings, int,
                                                       int) {
    if (!exists(index))
        return nullptr;
    const QByteArray path = QFile::encodeName(slots_.device(index));
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    deniedSlot_ = fd < 0 && (errno == EACCES || errno == EPERM) ? index : -1;
    if (fd < 0)
        return nullptr;
    auto device = std::make_unique<TermiosDevice>(fd);
    // Not shared: a second opener, in this program or another, is refused.
    if (!isatty(fd) || flock(fd, LOCK_EX | LOCK_NB) != 0 || ioctl(fd, TIOCEXCL) != 0 ||
        !apply(fd, settings))
        return nullptr;
    return device;
}

QString TermiosSerialPorts::openProblem(int index) const {
    if (index != deniedSlot_)
        return {};
    // On Linux the serial devices belong to the group "dialout"; a new member
    // has the right only in a new login.
    return QStringLiteral("Keine Berechtigung für die Schnittstelle \"%1\". Nehmen Sie Ihr "
                          "Benutzerkonto in die Gruppe \"dialout\" auf (sudo usermod -aG dialout "
                          "BENUTZERNAME) und melden Sie sich danach ab und wieder an.")
        .arg(slots_.device(index));
}

std::unique_ptr<SerialPorts> systemSerialPorts(const PortSlots& portSlots) {
    return std::make_unique<TermiosSerialPorts>(portSlots);
}
