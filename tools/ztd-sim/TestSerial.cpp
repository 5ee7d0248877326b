#include "TestSerial.h"

#include "tester/Clock.h"

#include <algorithm>
#include <cstring>

void TestSerialDevice::deliver(const QByteArray& bytes, std::int64_t at) {
    arrivals_.push_back({bytes, at});
    std::stable_sort(arrivals_.begin(), arrivals_.end(),
                     [](const Arrival& a, const Arrival& b) { return a.at < b.at; });
}

void TestSerialDevice::deliverNow(const QByteArray& bytes) {
    deliver(bytes, clock_.now());
}

QByteArray TestSerialDevice::sentBytes() const {
    QByteArray bytes;
    for (const Sent& s : sent_)
        bytes.append(static_cast<char>(s.byte));
    return bytes;
}

bool TestSerialDevice::ctsOn() {
    return clock_.now() >= ctsOnFrom_;
}

int TestSerialDevice::bytesWaiting() {
    int waiting = 0;
    for (const Arrival& a : arrivals_) {
        if (a.at > clock_.now())
            break;
        waiting += static_cast<int>(a.bytes.size());
    }
    return waiting;
}

int TestSerialDevice::read(std::uint8_t* buffer, int maxBytes) {
    int count = 0;
    while (count < maxBytes && !arrivals_.empty() && arrivals_.front().at <= clock_.now()) {
        QByteArray& first = arrivals_.front().bytes;
        const int take = std::min<int>(maxBytes - count, static_cast<int>(first.size()));
        std::memcpy(buffer + count, first.constData(), static_cast<size_t>(take));
        count += take;
        first.remove(0, take);
        if (first.isEmpty())
            arrivals_.erase(arrivals_.begin());
    }
    return count;
}

bool TestSerialDevice::writeByte(std::uint8_t byte) {
    if (refuseWrite_)
        return false;
    sent_.push_back({byte, clock_.now()});
    if (onWrite_)
        onWrite_(byte);
    return true;
}

bool TestSerialDevice::close() {
    if (refuseClose_)
        return false;
    closed_ = true;
    return true;
}

namespace {
// Each open hands out its own handle; the device behind it is shared.
class TestHandle : public SerialDevice {
public:
    explicit TestHandle(TestSerialDevice& device)
        : device_(device) {}
    bool ctsOn() override { return device_.ctsOn(); }
    int bytesWaiting() override { return device_.bytesWaiting(); }
    int bytesToSend() override { return device_.bytesToSend(); }
    int read(std::uint8_t* buffer, int maxBytes) override { return device_.read(buffer, maxBytes); }
    bool writeByte(std::uint8_t byte) override { return device_.writeByte(byte); }
    bool close() override { return device_.close(); }

private:
    TestSerialDevice& device_;
};
} // namespace

bool TestSerialPorts::exists(int index) const {
    return index >= 0 && index < kPortCount && present_.at(index);
}

QString TestSerialPorts::deviceOf(int index) const {
    if (!exists(index))
        return {};
    return bound_.at(index).isEmpty() ? QStringLiteral("/dev/test%1").arg(index) : bound_.at(index);
}

void TestSerialPorts::bind(int index, const QString& device) {
    present_.at(index) = !device.isEmpty();
    bound_.at(index) = device;
}

std::unique_ptr<SerialDevice> TestSerialPorts::open(int index, const LineSettings&,
                                                    int inputQueueSize, int) {
    if (!exists(index) || refuseOpen_)
        return nullptr;
    lastInputQueue_ = inputQueueSize;
    lastOpened_ = index;
    return std::make_unique<TestHandle>(device_);
}
