#include "TesterModel.h"

#include "tester/TesterBytes.h"

#include <algorithm>

using namespace tester_byte;
using memory_image::kEntrySize;

namespace {

bool isKey(std::uint8_t byte) {
    return byte == kKey0701 || byte == kKey0702 || byte == kKeyAuto;
}
} // namespace

TesterModel::TesterModel(TesterConfig config)
    : config_(std::move(config))
    , status_(config_.statusByte) {}

Emissions TesterModel::answer(const QByteArray& bytes, int delayMs) const {
    if (!config_.garbage.isEmpty())
        return {{delayMs, config_.garbage}};
    QByteArray sent = bytes;
    if (bytes.size() > 1)
        sent.chop(std::min<qsizetype>(config_.cutShortBy, bytes.size()));
    if (sent.isEmpty())
        return {};
    return {{delayMs, sent}};
}

QByteArray TesterModel::memoryImage() const {
    // Two count bytes hold at most 0xFFFF, one more than the entries.
    const int count = static_cast<int>(
        std::min<qsizetype>(config_.memoryEntries.size() / kEntrySize + 1, 0xFFFF));
    QByteArray image;
    image.append(static_cast<char>(count >> 8));
    image.append(static_cast<char>(count & 0xFF));
    image += config_.memoryEntries.left((count - 1) * kEntrySize);
    image.append(memory_image::kEndMark);
    return image;
}

Emissions TesterModel::receive(std::uint8_t byte) {
    if (config_.silent)
        return {};
    live_.clear();
    if (byte == kEnd) {
        mode_ = Mode::Local;
        return {};
    }
    switch (mode_) {
    case Mode::Local:
        if (byte == kBegin)
            mode_ = Mode::Offering;
        if (byte == kSendMemory) {
            const QByteArray image = memoryImage();
            Emissions chunks = answer(image, config_.replyDelayMs);
            if (chunks.empty() || !config_.garbage.isEmpty())
                return chunks;
            // The tester sends its memory in pieces, as a slow line delivers it.
            const QByteArray all = chunks.front().bytes;
            chunks.clear();
            const int size = std::max(config_.memoryChunkSize, 1);
            for (qsizetype at = 0; at < all.size(); at += size)
                chunks.push_back({at == 0 ? config_.replyDelayMs : config_.memoryChunkDelayMs,
                                  all.mid(at, size)});
            return chunks;
        }
        return {};
    case Mode::Offering:
        if (byte == kVersionQuery) {
            if (config_.acceptedVersions.empty())
                return answer(QByteArray(1, kBegin), config_.replyDelayMs);
            const char reply[] = {static_cast<char>(*config_.acceptedVersions.rbegin()),
                                  static_cast<char>(status_)};
            return answer(QByteArray(reply, 2), config_.replyDelayMs);
        }
        if (byte >= 1 && byte <= kHighestVersion) {
            if (!config_.acceptedVersions.count(byte))
                return answer(QByteArray(1, kBegin), config_.replyDelayMs);
            version_ = byte;
            mode_ = Mode::Idle;
            return answer(QByteArray(1, static_cast<char>(status_)), config_.replyDelayMs);
        }
        return {};
    case Mode::Idle:
        if (byte == kCorrection)
            return answer(QByteArray(1, static_cast<char>(config_.correctionReply)),
                          config_.correctionDelayMs);
        return isKey(byte) ? key(byte) : Emissions{};
    default:
        return isKey(byte) ? key(byte) : Emissions{};
    }
}

Emissions TesterModel::pressKey(std::uint8_t pressed) {
    if (config_.silent)
        return {};
    const Emission report{0, QByteArray(1, static_cast<char>(pressed))};
    if (pressed == kWithInsulation || pressed == kWithoutInsulation) {
        if (mode_ != Mode::InsulationChoice)
            return {};
        niso_ = pressed == kWithoutInsulation;
        mode_ = Mode::StartChoice;
        return {report};
    }
    if (pressed == kCorrection)
        return mode_ == Mode::Idle ? Emissions{report} : Emissions{};
    if (!isKey(pressed) || mode_ == Mode::Local || mode_ == Mode::Offering)
        return {};
    // With the verdict on its display the tester numbers its keys 1, 2, 3.
    const char afterResult =
        static_cast<char>(pressed == kKeyAuto ? run_message_code::kKey3AfterResult : pressed);
    Emissions out{mode_ == Mode::Finished ? Emission{0, QByteArray(1, afterResult)} : report};
    const Emissions after = key(pressed);
    out.insert(out.end(), after.begin(), after.end());
    return out;
}

int TesterModel::protectionClass() const {
    return (status_ & tester_status::kClass) + 1;
}

bool TesterModel::lightOn() const {
    return status_ & tester_status::kLight;
}

bool TesterModel::classKeyMode() const {
    return (status_ & tester_status::kClassKey) || version_ == 3;
}

void TesterModel::stepClass() {
    const auto next = static_cast<std::uint8_t>((status_ + 1) & tester_status::kClass);
    status_ = static_cast<std::uint8_t>((status_ & ~tester_status::kClass) | next);
}

bool TesterModel::offersInsulationChoice() const {
    if (protectionClass() == 3)
        return false;
    return testKind_ == 1 ? version_ >= 5 && version_ <= 9 : version_ >= 7;
}

Emissions TesterModel::key(std::uint8_t key) {
    switch (mode_) {
    case Mode::Idle:
        if (key == kKeyAuto) {
            if (classKeyMode()) {
                stepClass();
            } else {
                mode_ = Mode::Menu;
                menuCursor_ = 1;
            }
        } else {
            testKind_ = key == kKey0701 ? 1 : 2;
            niso_ = false;
            mode_ = offersInsulationChoice() ? Mode::InsulationChoice : Mode::StartChoice;
        }
        return {};
    case Mode::Menu:
        if (key == kKey0701) {
            menuCursor_ = menuCursor_ == 1 ? menuItems() : menuCursor_ - 1;
        } else if (key == kKey0702) {
            menuCursor_ = menuCursor_ == menuItems() ? 1 : menuCursor_ + 1;
        } else if (menuCursor_ == menuItems()) {
            mode_ = Mode::Idle;
        } else if (menuCursor_ == 1) {
            status_ ^= tester_status::kLight;
        } else if (menuCursor_ == 2) {
            stepClass();
        } else {
            status_ ^= tester_status::kFrench;
        }
        return {};
    case Mode::InsulationChoice:
        if (key == kKeyAuto)
            return {};
        niso_ = key == kKey0702;
        mode_ = Mode::StartChoice;
        return {};
    case Mode::StartChoice:
        if (key == kKeyAuto)
            return startRun(false);
        if (key == (testKind_ == 1 ? kKey0701 : kKey0702))
            return startRun(true);
        return {};
    case Mode::Running:
        return continueRun();
    case Mode::Finished:
        mode_ = Mode::Idle;
        return {};
    default:
        return {};
    }
}

Emissions TesterModel::startRun(bool hand) {
    hand_ = hand;
    runPosition_ = 0;
    mode_ = Mode::Running;
    return continueRun();
}

Emissions TesterModel::continueRun() {
    const RunScript& script = hand_ ? config_.handRun : config_.autoRun;
    live_.clear();
    Emissions out;
    while (runPosition_ < script.size()) {
        const RunItem& item = script[runPosition_++];
        const Emissions message = answer(item.message, item.delayMs);
        out.insert(out.end(), message.begin(), message.end());
        if (runPosition_ == script.size())
            break;
        if (item.wait == RunItem::Wait::Key)
            return out;
        if (hand_ && item.wait == RunItem::Wait::KeyInHand) {
            live_ = item.message;
            return out;
        }
    }
    // The last message stays on the display until a key is pressed.
    mode_ = Mode::Finished;
    return out;
}

QByteArray sampleMemoryEntries(int count) {
    static const char* const values[][3] = {
        {" 0.12", " 25.0", " 0.21"},
        {"0.300", ">20.0", "0.05\0"},
        {" 1.45", "  2.3", " 3.50"},
        {"\0\0\0\0\0", " 0.01", "  >20"},
    };
    // Class codes 0..3 in bits 4-5, test kind in bit 0, letters in bits 3, 6, 7.
    static const std::uint8_t flags[] = {0x00, 0x41, 0x10, 0x31, 0x28, 0xC1, 0x20, 0x39};
    QByteArray entries;
    for (int i = 0; i < count; ++i) {
        QByteArray entry(1, static_cast<char>(flags[i % 8]));
        for (const char* value : values[i % 4])
            entry += QByteArray(value, 5);
        const char tail[] = {0x00, 0x11, 0x13, static_cast<char>(0xFF)};
        for (int j = 0; j < 16; ++j)
            entry.append(tail[(i + j) % 4]);
        entries += entry;
    }
    return entries;
}
