// What the operation-log writers share: a cell block filled row by row with the renderings of
// recorder fields (integer texts, scaled values in the general format, flag bytes as eight 0/1
// number cells, BCD bytes joined into dates and times), and the slot checksum. Rows beyond the
// block are dropped: they would fall outside the range in any case.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/byte_view.h"
#include "report/cell_block.h"

namespace tavrix::report {

// A slot is valid when its first `length` bytes sum to 0xFF modulo 256.
bool SlotValid(const ByteView& data, std::uint32_t offset, std::uint32_t length);

// HH of each byte, joined with `separator` ("31.12.09").
std::string JoinBcd(std::initializer_list<std::uint8_t> bytes, char separator);

// A BCD stamp of six bytes (day, month, year, second, minute, hour): "05.04.10 08:15:30".
std::string StampText(const ByteView& data, std::uint64_t offset);

class LogBlock {
 public:
  LogBlock(std::size_t rows, std::size_t columns, char decimal_separator)
      : block_(rows, columns), separator_(decimal_separator) {}

  // False once every row is filled; a writer then decodes no further rows.
  bool HasRoom() const { return row_ < block_.rows(); }
  std::size_t row() const { return row_; }
  void NextRow() { ++row_; }

  void Text(std::size_t column, std::string_view text) { block_.SetText(row_, column, text); }
  void Number(std::size_t column, double value) { block_.SetNumber(row_, column, value); }
  // The value as signed 16-bit decimal text.
  void Integer(std::size_t column, std::int16_t value);
  // value x factor in the general format.
  void Scaled(std::size_t column, double value, double factor);
  // Eight number cells from `column` on, bit 7 first: 1 for a set bit, else 0.
  void Flags(std::size_t column, std::uint8_t flags);

  CellBlock& block() { return block_; }

 private:
  CellBlock block_;
  char separator_;
  std::size_t row_ = 0;
};

}  // namespace tavrix::report
