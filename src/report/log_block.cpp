#include "report/log_block.h"

#include "core/hh.h"
#include "data/detection.h"
#include "report/number_text.h"

namespace tavrix::report {

bool SlotValid(const ByteView& data, std::uint32_t offset, std::uint32_t length) {
  return BlockPasses(data, {offset, length});
}

std::string JoinBcd(std::initializer_list<std::uint8_t> bytes, char separator) {
  std::string text;
  for (const std::uint8_t b : bytes) {
    if (!text.empty()) text += separator;
    text += Hh(b);
  }
  return text;
}

std::string StampText(const ByteView& data, std::uint64_t offset) {
  const auto b = [&](int i) { return data.U8(offset + static_cast<std::uint64_t>(i)); };
  return JoinBcd({b(0), b(1), b(2)}, '.') + " " + JoinBcd({b(5), b(4), b(3)}, ':');
}

void LogBlock::Integer(std::size_t column, std::int16_t value) {
  Text(column, std::to_string(value));
}

void LogBlock::Scaled(std::size_t column, double value, double factor) {
  Text(column, FormatGeneral(value * factor, separator_));
}

void LogBlock::Flags(std::size_t column, std::uint8_t flags) {
  for (int k = 0; k < 8; ++k) Number(column + static_cast<std::size_t>(k), flags >> (7 - k) & 1);
}

}  // namespace tavrix::report
