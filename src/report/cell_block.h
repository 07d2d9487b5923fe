// A cell block: rows x columns of cells (both from 0, rows first) that crosses to the spreadsheet
// in one range write. A cell is empty, a number or a text (code page 1251 bytes). Cells are kept
// in one flat array of small fixed-size entries and every text in one shared buffer, so a block of
// half a million cells costs two allocations, not one a cell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrix::report {

enum class CellKind : std::uint8_t { kEmpty, kNumber, kText };

struct CellView {
  CellKind kind = CellKind::kEmpty;
  double number = 0;      // for kNumber
  std::string_view text;  // for kText; valid while the block lives unchanged
};

class CellBlock {
 public:
  CellBlock() = default;
  // Every cell empty. Throws std::length_error when the block would be absurdly large.
  CellBlock(std::size_t rows, std::size_t columns);

  std::size_t rows() const { return rows_; }
  std::size_t columns() const { return columns_; }

  // Setting a cell outside the block is a programming error: std::out_of_range.
  void SetNumber(std::size_t row, std::size_t column, double value);
  void SetText(std::size_t row, std::size_t column, std::string_view text);
  CellView At(std::size_t row, std::size_t column) const;

 private:
  struct Cell {
    CellKind kind = CellKind::kEmpty;
    std::uint32_t text_size = 0;
    union {
      double number;
      std::uint64_t text_offset;
    };
    Cell() : number(0) {}
  };
  Cell& Slot(std::size_t row, std::size_t column);

  std::size_t rows_ = 0;
  std::size_t columns_ = 0;
  std::vector<Cell> cells_;
  std::string texts_;
};

}  // namespace tavrix::report
