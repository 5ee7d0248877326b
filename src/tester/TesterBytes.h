#pragma once

#include <cstdint>

// The single bytes PC and tester exchange outside a measurement run.
namespace tester_byte {
inline constexpr std::uint8_t kEnd = 'e';   // leave remote mode
inline constexpr std::uint8_t kBegin = 'f'; // begin remote control; as a reply: version refused
inline constexpr std::uint8_t kKey0701 = 0x01;
inline constexpr std::uint8_t kKey0702 = 0x02;
inline constexpr std::uint8_t kKeyAuto = 0x04;
inline constexpr std::uint8_t kCorrection = 0x05;
inline constexpr std::uint8_t kCorrectionDone = 'r';
inline constexpr std::uint8_t kWithInsulation = 'J';
inline constexpr std::uint8_t kWithoutInsulation = 'N';
inline constexpr int kHighestVersion = 10;
} // namespace tester_byte
