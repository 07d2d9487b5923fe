#include "report/unscramble.h"

#include "core/error.h"

namespace tavrix::report {
namespace {

bool IsExempt(std::uint8_t b) {
  return b == kScrambleKey || b == static_cast<std::uint8_t>(~kScrambleKey) || b == 0xFF;
}

}  // namespace

std::uint8_t UnscrambleByte(std::uint8_t b) {
  if (!IsExempt(b)) b ^= kScrambleKey;
  return static_cast<std::uint8_t>(b << 2 | b >> 6);
}

std::uint8_t ScrambleByte(std::uint8_t b) {
  const auto rotated = static_cast<std::uint8_t>(b >> 2 | b << 6);
  return IsExempt(rotated) ? rotated : static_cast<std::uint8_t>(rotated ^ kScrambleKey);
}

std::string Unscramble(std::span<const std::uint8_t> bytes) {
  std::string text(bytes.size(), '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i)
    text[i] = static_cast<char>(UnscrambleByte(bytes[i]));
  return text;
}

std::vector<std::uint8_t> Scramble(std::string_view text) {
  std::vector<std::uint8_t> bytes(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\0') {
      throw Error("Текст библиотеки содержит нулевой байт (позиция " + std::to_string(i) +
                  "): такой текст нельзя зашифровать.");
    }
    bytes[i] = ScrambleByte(static_cast<std::uint8_t>(text[i]));
  }
  return bytes;
}

}  // namespace tavrix::report
