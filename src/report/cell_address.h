// A1-style cell addresses of a worksheet ("B5", "AD12", "$C$7", any letter case): row and
// column from 1, within the sheet size that Excel and the xlsx format allow (1 048 576 rows,
// 16 384 columns, XFD). A range is the rectangle between two corners given in any order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavrix::report {

inline constexpr std::int32_t kMaxSheetRows = 1048576;
inline constexpr std::int32_t kMaxSheetColumns = 16384;

struct CellAddress {
  std::int32_t row = 1;
  std::int32_t column = 1;

  bool operator==(const CellAddress&) const = default;
};

std::optional<CellAddress> ParseCellAddress(std::string_view text);
// "A1", "Z9", "AA10", "XFD1048576".
std::string FormatCellAddress(CellAddress address);
std::string ColumnName(std::int32_t column);

struct CellRange {
  CellAddress first;  // top-left
  CellAddress last;   // bottom-right

  std::int32_t rows() const { return last.row - first.row + 1; }
  std::int32_t columns() const { return last.column - first.column + 1; }
  bool Contains(CellAddress a) const {
    return a.row >= first.row && a.row <= last.row && a.column >= first.column &&
           a.column <= last.column;
  }
};

// The range between two corner addresses; none when either is not a valid address.
std::optional<CellRange> ParseCellRange(std::string_view corner1, std::string_view corner2);

}  // namespace tavrix::report
