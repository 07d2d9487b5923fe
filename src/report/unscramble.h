// The report libraries' scrambling. Unscrambling a byte XORs it with the key 0x6B unless it is
// the key, its complement 0x94 or 0xFF, then rotates it left by two bits. Scrambling is the
// inverse for every byte but zero, which no unscrambled byte can give (0x00 and 0x6B both
// unscramble to 0xAD): Scramble refuses a text that holds one.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrix::report {

inline constexpr std::uint8_t kScrambleKey = 0x6B;

std::uint8_t UnscrambleByte(std::uint8_t b);
// Defined for b != 0.
std::uint8_t ScrambleByte(std::uint8_t b);

std::string Unscramble(std::span<const std::uint8_t> bytes);
// Throws Error naming the position of the first zero byte.
std::vector<std::uint8_t> Scramble(std::string_view text);

}  // namespace tavrix::report
