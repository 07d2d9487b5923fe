#include "report/cell_block.h"

#include <stdexcept>

namespace tavrix::report {

// Far above the biggest table of any recorder (about 0.6 million cells), far below what would
// exhaust the memory of a desktop.
constexpr std::size_t kMaxCells = std::size_t{1} << 26;

CellBlock::CellBlock(std::size_t rows, std::size_t columns) : rows_(rows), columns_(columns) {
  if (columns != 0 && rows > kMaxCells / columns) throw std::length_error("cell block too large");
  cells_.resize(rows * columns);
}

CellBlock::Cell& CellBlock::Slot(std::size_t row, std::size_t column) {
  if (row >= rows_ || column >= columns_) throw std::out_of_range("cell outside the block");
  return cells_[row * columns_ + column];
}

void CellBlock::SetNumber(std::size_t row, std::size_t column, double value) {
  Cell& cell = Slot(row, column);
  cell.kind = CellKind::kNumber;
  cell.number = value;
}

void CellBlock::SetText(std::size_t row, std::size_t column, std::string_view text) {
  Cell& cell = Slot(row, column);
  cell.kind = CellKind::kText;
  cell.text_offset = texts_.size();
  cell.text_size = static_cast<std::uint32_t>(text.size());
  texts_.append(text);
}

CellView CellBlock::At(std::size_t row, std::size_t column) const {
  if (row >= rows_ || column >= columns_) throw std::out_of_range("cell outside the block");
  const Cell& cell = cells_[row * columns_ + column];
  switch (cell.kind) {
    case CellKind::kNumber:
      return {CellKind::kNumber, cell.number, {}};
    case CellKind::kText:
      return {CellKind::kText, 0,
              std::string_view(texts_).substr(cell.text_offset, cell.text_size)};
    case CellKind::kEmpty:
      break;
  }
  return {};
}

}  // namespace tavrix::report
