#pragma once

#include <cstdint>

// Every byte PC and tester exchange, by name. The same value means different
// things in different phases, so each phase has its own names.

// Single bytes outside a measurement run.
namespace tester_byte {
inline constexpr std::uint8_t kEnd = 'e';   // leave remote mode
inline constexpr std::uint8_t kBegin = 'f'; // begin remote control; as a reply: version refused
inline constexpr std::uint8_t kVersionQuery = 'v';
inline constexpr std::uint8_t kSendMemory = 0x08;
// The tester's three keys; in its settings menu: previous item, next item, select.
inline constexpr std::uint8_t kKey0701 = 0x01;
inline constexpr std::uint8_t kKey0702 = 0x02;
inline constexpr std::uint8_t kKeyAuto = 0x04;
inline constexpr std::uint8_t kCorrection = 0x05;
inline constexpr std::uint8_t kCorrectionDone = 'r';
inline constexpr std::uint8_t kWithInsulation = 'J';
inline constexpr std::uint8_t kWithoutInsulation = 'N';
inline constexpr int kHighestVersion = 10;
} // namespace tester_byte

// The status byte a tester accepts a version with, and sends after its
// version when asked with 'v'.
namespace tester_status {
inline constexpr std::uint8_t kClass = 0x03; // protection class − 1
inline constexpr std::uint8_t kLight = 0x04;
inline constexpr std::uint8_t kFrench = 0x08;
// The answer to 'v' holds a version.
inline constexpr std::uint8_t kVersionValid = 0x10;
// No settings menu: the Auto key steps the protection class.
inline constexpr std::uint8_t kClassKey = 0x40;
inline constexpr std::uint8_t kDifferential = 0x80;
// The bits of the version byte in the answer to 'v' that hold the version.
inline constexpr std::uint8_t kVersionBits = 0x0F;
} // namespace tester_status

// The messages of a measurement run: a code byte and a payload of fixed length.
namespace run_message_code {
// With the verdict shown, the tester reports its keys as 1, 2 and 3.
inline constexpr std::uint8_t kKey1AfterResult = 0x01;
inline constexpr std::uint8_t kKey2AfterResult = 0x02;
inline constexpr std::uint8_t kKey3AfterResult = 0x03;
inline constexpr std::uint8_t kReversalNotice = 'Y';
inline constexpr std::uint8_t kEndWithResults = 'e';
inline constexpr std::uint8_t kLimit = 'g';
inline constexpr std::uint8_t kStep = 'i';
inline constexpr std::uint8_t kReading = 'm';
inline constexpr std::uint8_t kResult = 'n';
inline constexpr std::uint8_t kStop = 's';
inline constexpr std::uint8_t kOverflowOn = 'u';
inline constexpr std::uint8_t kOverflowOff = 'v';
inline constexpr std::uint8_t kMainsNotice = 'y';
inline constexpr std::uint8_t kFaultSearch = 'z';
inline constexpr std::uint8_t kAbort = 0xFF;
inline constexpr std::uint8_t kNoFault = '!';
// Inside the texts: a unit byte for the ohm sign, and the tester's 'ü'.
inline constexpr std::uint8_t kOhmSign = 0xF4;
inline constexpr std::uint8_t kUmlautU = 0xF5;

inline constexpr int kLimitLength = 7;
inline constexpr int kReadingValueLength = 5;
inline constexpr int kUnitLength = 2;
inline constexpr int kResultNameLength = 6;
inline constexpr int kResultValueLength = 6;
inline constexpr int kResultValueBytes = kResultNameLength + kResultValueLength + kUnitLength;
inline constexpr int kVerdictLength = 16;
} // namespace run_message_code

// The measurement memory: two count bytes, entries of 32 bytes, an end mark.
namespace memory_image {
inline constexpr int kEntrySize = 32;
inline constexpr char kEndMark = 0x04;
// The flags, the first byte of an entry.
inline constexpr std::uint8_t kPeriodicTest = 0x01; // 0702, else 0701
inline constexpr std::uint8_t kDifferential = 0x08;
inline constexpr std::uint8_t kClassCode = 0x30; // 0 "1", 1 "2", 2 "3", 3 "1e"
inline constexpr int kClassCodeShift = 4;
inline constexpr std::uint8_t kInOrder = 0x40;
inline constexpr std::uint8_t kWithoutInsulation = 0x80;
} // namespace memory_image
