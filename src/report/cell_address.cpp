#include "report/cell_address.h"

#include <algorithm>

namespace tavrix::report {

std::optional<CellAddress> ParseCellAddress(std::string_view text) {
  std::size_t pos = 0;
  const auto skip_dollar = [&] {
    if (pos < text.size() && text[pos] == '$') ++pos;
  };
  skip_dollar();
  std::int64_t column = 0;
  const std::size_t letters_start = pos;
  for (; pos < text.size() && pos - letters_start < 4; ++pos) {
    const char c = text[pos];
    if (c >= 'A' && c <= 'Z') {
      column = column * 26 + (c - 'A' + 1);
    } else if (c >= 'a' && c <= 'z') {
      column = column * 26 + (c - 'a' + 1);
    } else {
      break;
    }
  }
  if (pos == letters_start || column > kMaxSheetColumns) return std::nullopt;
  skip_dollar();
  std::int64_t row = 0;
  const std::size_t digits_start = pos;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - digits_start < 8;
       ++pos) {
    row = row * 10 + (text[pos] - '0');
  }
  if (pos != text.size() || pos == digits_start || row < 1 || row > kMaxSheetRows) {
    return std::nullopt;
  }
  return CellAddress{static_cast<std::int32_t>(row), static_cast<std::int32_t>(column)};
}

std::string ColumnName(std::int32_t column) {
  std::string name;
  for (; column > 0; column = (column - 1) / 26) {
    name.insert(name.begin(), static_cast<char>('A' + (column - 1) % 26));
  }
  return name;
}

std::string FormatCellAddress(CellAddress address) {
  return ColumnName(address.column) + std::to_string(address.row);
}

std::optional<CellRange> ParseCellRange(std::string_view corner1, std::string_view corner2) {
  const auto a = ParseCellAddress(corner1);
  const auto b = ParseCellAddress(corner2);
  if (!a || !b) return std::nullopt;
  return CellRange{{std::min(a->row, b->row), std::min(a->column, b->column)},
                   {std::max(a->row, b->row), std::max(a->column, b->column)}};
}

}  // namespace tavrix::report
