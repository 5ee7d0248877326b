#include "SystemSerialPorts.h"

// Windows has no termios. Until it has a backend of its own (QSerialPort
// would do), no port opens there: the program runs and says so.
namespace {

class NoSerialPorts : public SerialPorts {
public:
    explicit NoSerialPorts(const PortSlots& portSlots)
        : slots_(portSlots) {}

    bool exists(int) const override { return false; }
    QString deviceOf(int index) const override { return slots_.device(index); }
    std::unique_ptr<SerialDevice> open(int, const LineSettings&, int, int) override {
        return nullptr;
    }
    QString openProblem(int) const override { return {}; }
    QStringList availableDevices() const override { return {}; }
    void bind(int index, const QString& device) override { slots_.bind(index, device); }

private:
    PortSlots slots_;
};

} // namespace

std::unique_ptr<SerialPorts> systemSerialPorts(const PortSlots& portSlots) {
    return std::make_unique<NoSerialPorts>(portSlots);
}
