#include "report/cycle_table.h"

#include <cmath>
#include <string>
#include <vector>

#include "core/hh.h"
#include "report/description_line.h"
#include "report/file_reads.h"
#include "report/number_text.h"
#include "report/report_messages.h"
#include "report/table_walk.h"

namespace tavrix::report {
namespace {

// The fields of the head line.
enum : std::size_t {
  kPointer = 1,
  kColumns = 2,
  kPointerWidth = 4,
  kSlots = 5,
  kWorksheet = 6,
  kFirst = 7,
  kLast = 8,
  kSlotSize = 9,
  kChecksumEnd = 10,
  kBase = 11,
};

// The fields of a column line.
enum : std::size_t {
  kValueOffset = 1,
  kKind = 3,
  kByteCount = 4,
  kScale = 5,
  kShownText = 6,
  kOutputColumn = 7,
};

struct Column {
  enum class Kind { kInt, kDateTime, kBin, kNone };
  Kind kind = Kind::kNone;
  std::int32_t offset = 0;
  std::int32_t bytes = 0;
  double scale = 0;
  int bit = 0;    // "CycleBin": 0..7
  int shown = 0;  // "CycleBin": the bit value that shows the text
  std::string_view text;
  int output = 0;
};

Column ReadColumn(const DescriptionLine& line, std::int32_t columns) {
  line.RequireFields(kCycleColumnFields);
  Column c;
  const std::string_view kind = line.Text(kKind);
  c.kind = kind == "CycleInt"        ? Column::Kind::kInt
           : kind == "CycleDataTime" ? Column::Kind::kDateTime
           : kind == "CycleBin"      ? Column::Kind::kBin
                                     : Column::Kind::kNone;
  c.offset = line.Integer(kValueOffset);
  c.bytes = line.Integer(kByteCount);
  c.scale = line.Decimal(kScale);
  c.text = line.Text(kShownText);
  const std::int32_t output = line.Integer(kOutputColumn);
  if (output < 0 || output > columns) line.Fail(OutputColumnProblem(output, columns));
  c.output = output;
  if (c.kind == Column::Kind::kBin) {
    const double bit = std::nearbyint(c.scale);
    if (!(bit >= 1 && bit <= 8)) line.Fail(BitNumberProblem(c.scale));
    c.bit = static_cast<int>(bit) - 1;
    const auto shown = ParseInteger(c.text);
    if (!shown) line.Fail(NotAnIntegerProblem(kShownText, c.text));
    c.shown = *shown;
  }
  return c;
}

std::string DateTime(const std::array<std::uint8_t, 6>& b, std::int32_t bytes) {
  std::string text = Hh(b[0]) + "." + Hh(b[1]) + "." + Hh(b[2]);
  if (bytes >= 6) text += " " + Hh(b[5]) + ":" + Hh(b[4]) + ":" + Hh(b[3]);
  return text;
}

void PutColumn(TableRows& rows, const Column& c, const ByteView& data, std::int64_t slot,
               char separator) {
  const std::int64_t at = slot + c.offset;
  switch (c.kind) {
    case Column::Kind::kInt: {
      const auto v = static_cast<std::int32_t>(LittleEndian(ReadValue<4>(data, at, c.bytes)));
      rows.Text(c.output, FormatGeneral(v * c.scale, separator));
      return;
    }
    case Column::Kind::kDateTime:
      rows.Text(c.output, DateTime(ReadValue<6>(data, at, c.bytes), c.bytes));
      return;
    case Column::Kind::kBin: {
      const int bit = data.U8(FileOffset(at)) >> c.bit & 1;
      rows.Text(c.output, bit == c.shown ? c.text : std::string_view());
      return;
    }
    case Column::Kind::kNone:
      rows.Text(c.output, {});
      return;
  }
}

// The slot the ring pointer designates: the pointer pair at `at` (two signed 16-bit or 32-bit
// words) is valid when the second is the complement of the first.
std::int64_t StartSlot(const ByteView& data, std::int64_t at, std::int32_t width,
                       std::int64_t base, std::int64_t slot_size) {
  std::int64_t pointer = 0, check = 0;
  if (width == 4) {
    pointer = static_cast<std::int16_t>(LittleEndian(ReadValue<2>(data, at, 2)));
    check = static_cast<std::int16_t>(LittleEndian(ReadValue<2>(data, at + 2, 2)));
  } else if (width == 8) {
    pointer = static_cast<std::int32_t>(LittleEndian(ReadValue<4>(data, at, 4)));
    check = static_cast<std::int32_t>(LittleEndian(ReadValue<4>(data, at + 4, 4)));
  } else {
    return 0;
  }
  return pointer + check == -1 ? (pointer - base) / slot_size : 0;
}

}  // namespace

std::size_t WriteCycleTable(TZULToExcel& job, const DescriptionList& lines, std::size_t index) {
  const DescriptionLine head(lines[index], index);
  head.RequireFields(kCycleHeadFields);
  const std::int32_t columns = head.Integer(kColumns);
  const std::int32_t slots = head.Integer(kSlots);
  if (columns < 0) head.Fail(NegativeCountProblem(kColumns, columns));
  if (slots < 0) head.Fail(NegativeCountProblem(kSlots, slots));
  if ((std::int64_t{slots} + 1) * (std::int64_t{columns} + 1) > kMaxTableCells) {
    head.Fail(TableTooLargeProblem(slots, columns));
  }
  const std::size_t lines_left = lines.size() - index - 1;
  if (static_cast<std::size_t>(columns) > lines_left) {
    head.Fail(ColumnLinesMissingProblem(columns, lines_left));
  }
  const std::int32_t worksheet = head.Integer(kWorksheet);
  const std::int64_t base = head.Integer(kBase);
  const std::int64_t slot_size = head.Integer(kSlotSize);
  if (slot_size < 1 || slot_size > 32) head.Fail(SlotSizeProblem(slot_size));
  // Bytes between the slot's end and the checksum end count as zero.
  const std::int64_t summed =
      std::clamp<std::int64_t>(std::int64_t{head.Integer(kChecksumEnd)} + 1, 0, slot_size);
  const std::int64_t pointer_at = head.Integer(kPointer);
  const std::int32_t pointer_width = head.Integer(kPointerWidth);
  std::vector<Column> described;
  for (std::int32_t j = 0; j < columns; ++j) {
    const std::size_t at = index + 1 + static_cast<std::size_t>(j);
    described.push_back(ReadColumn(DescriptionLine(lines[at], at), columns));
  }

  CellBlock block(slots + 1, columns + 1);
  job.SwitchWorksheet(worksheet);
  const ByteView& data = job.data();
  TableRows rows(block, job.decimal_separator());
  WalkRing(slots, StartSlot(data, pointer_at, pointer_width, base, slot_size),
           [&](std::int64_t slot) {
             const std::int64_t start = base + slot * slot_size;
             if (!SlotPasses(data, start, summed) || !rows.Add()) return;
             for (const Column& c : described) PutColumn(rows, c, data, start, job.decimal_separator());
           });
  job.WriteRange(head.Text(kFirst), head.Text(kLast), block);
  return 1 + static_cast<std::size_t>(columns);
}

}  // namespace tavrix::report
