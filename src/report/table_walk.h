// Walking the recorder's tables into cell blocks: the slot checksum (the sum of a slot's first
// bytes, modulo 256, is 0xFF), ring order from a start slot, and the rows of a block filled one
// per valid record with the log renderings: integers as "%hd" texts, scaled values as texts in
// the general format, flag bytes as eight number cells. A record past the block's last row is
// dropped, so no table ever writes outside its block.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/byte_view.h"
#include "report/cell_block.h"

namespace tavrix::report {

// Whether the `length` bytes at `offset` sum to 0xFF; a slot at a negative offset, or past the
// end of the data file, reads as zeros and fails.
bool SlotPasses(const ByteView& data, std::int64_t offset, std::int64_t length);

// Visits the n slots of a ring in walk order: start..n-1, then 0..start-1. A start outside the
// ring (a pointer that designates no slot of it) walks from slot 0.
template <typename Visit>
void WalkRing(std::int64_t n, std::int64_t start, Visit&& visit) {
  if (start < 0 || start >= n) start = 0;
  for (std::int64_t i = 0; i < n; ++i) visit(start + i < n ? start + i : start + i - n);
}

class TableRows {
 public:
  TableRows(CellBlock& block, char separator) : block_(block), separator_(separator) {}

  // Starts the next row; false when the block has no row left for it.
  bool Add();
  // The row being filled, counted from 0.
  int row() const { return row_; }

  void Text(int column, std::string_view text) { block_.SetText(row_, column, text); }
  void Number(int column, double value) { block_.SetNumber(row_, column, value); }
  // The value as a signed 16-bit number in decimal ("%hd"), as a text.
  void Integer(int column, int value);
  // value x factor in the general format, as a text.
  void Scaled(int column, double value, double factor);
  // Eight number cells from `first_column` on, 1 or 0, the most significant bit first.
  void Flags(int first_column, std::uint8_t flags);

 private:
  CellBlock& block_;
  char separator_;
  int row_ = -1;
};

}  // namespace tavrix::report
