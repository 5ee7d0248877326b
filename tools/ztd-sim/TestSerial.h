#pragma once

#include "tester/SerialDevice.h"

#include <QByteArray>

#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

class Clock;

// A serial port for tests. Bytes arrive at given times on the clock, CTS
// follows a schedule, and everything written is recorded with its time.
class TestSerialDevice : public SerialDevice {
public:
    static constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();

    struct Sent {
        std::uint8_t byte;
        std::int64_t at;
    };

    explicit TestSerialDevice(const Clock& clock)
        : clock_(clock) {}

    // The bytes become waiting together, at the given time.
    void deliver(const QByteArray& bytes, std::int64_t at);
    void deliverNow(const QByteArray& bytes);
    // CTS is off before the given time and on from it (kNever: never on).
    void setCtsOnFrom(std::int64_t at) { ctsOnFrom_ = at; }
    void setOnWrite(std::function<void(std::uint8_t)> onWrite) { onWrite_ = std::move(onWrite); }
    void setRefuseClose(bool refuse) { refuseClose_ = refuse; }
    void setRefuseWrite(bool refuse) { refuseWrite_ = refuse; }

    const std::vector<Sent>& sent() const { return sent_; }
    QByteArray sentBytes() const;
    bool closed() const { return closed_; }

    bool ctsOn() override;
    int bytesWaiting() override;
    int bytesToSend() override { return 0; }
    int read(std::uint8_t* buffer, int maxBytes) override;
    bool writeByte(std::uint8_t byte) override;
    bool close() override;

private:
    struct Arrival {
        QByteArray bytes;
        std::int64_t at;
    };

    const Clock& clock_;
    std::vector<Arrival> arrivals_;
    std::int64_t ctsOnFrom_ = 0;
    std::function<void(std::uint8_t)> onWrite_;
    std::vector<Sent> sent_;
    bool refuseClose_ = false;
    bool refuseWrite_ = false;
    bool closed_ = false;
};

// Six slots for tests: which exist, and one device that every open of an
// existing slot reaches. The tests keep the device to script and inspect it.
class TestSerialPorts : public SerialPorts {
public:
    explicit TestSerialPorts(TestSerialDevice& device)
        : device_(device) {}

    void setPresent(int index, bool present) { present_.at(index) = present; }
    void setRefuseOpen(bool refuse) { refuseOpen_ = refuse; }
    // What openProblem tells for every slot while opens are refused.
    void setOpenProblem(const QString& problem) { openProblem_ = problem; }
    void setAvailableDevices(const QStringList& devices) { available_ = devices; }
    // The input queue size of the last open, and its slot.
    int lastInputQueue() const { return lastInputQueue_; }
    int lastOpened() const { return lastOpened_; }

    bool exists(int index) const override;
    QString deviceOf(int index) const override;
    std::unique_ptr<SerialDevice> open(int index, const LineSettings& settings, int inputQueueSize,
                                       int outputQueueSize) override;
    QString openProblem(int) const override { return refuseOpen_ ? openProblem_ : QString(); }
    QStringList availableDevices() const override { return available_; }
    // A slot bound to a device exists under that name; bound to none, it is absent.
    void bind(int index, const QString& device) override;

private:
    TestSerialDevice& device_;
    std::array<bool, kPortCount> present_{};
    std::array<QString, kPortCount> bound_{};
    QString openProblem_;
    QStringList available_;
    bool refuseOpen_ = false;
    int lastInputQueue_ = 0;
    int lastOpened_ = -1;
};
