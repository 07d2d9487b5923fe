#include "report/table_walk.h"

#include <charconv>
#include <limits>

#include "data/detection.h"
#include "report/number_text.h"

namespace tavrix::report {

bool SlotPasses(const ByteView& data, std::int64_t offset, std::int64_t length) {
  constexpr std::int64_t kMaxOffset = std::numeric_limits<std::uint32_t>::max();
  if (offset < 0 || offset > kMaxOffset || length <= 0 || length > kMaxOffset) return false;
  return BlockPasses(data,
                     {static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(length)});
}

bool TableRows::Add() {
  if (row_ + 1 >= block_.rows()) return false;
  ++row_;
  return true;
}

void TableRows::Integer(int column, int value) {
  char text[8];
  const auto end = std::to_chars(text, text + sizeof text, static_cast<std::int16_t>(value)).ptr;
  Text(column, std::string_view(text, static_cast<std::size_t>(end - text)));
}

void TableRows::Scaled(int column, double value, double factor) {
  Text(column, FormatGeneral(value * factor, separator_));
}

void TableRows::Flags(int first_column, std::uint8_t flags) {
  for (int k = 0; k < 8; ++k) Number(first_column + k, (flags >> (7 - k)) & 1);
}

}  // namespace tavrix::report
