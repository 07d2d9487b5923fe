#include "report/cycle_table.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "core/hh.h"
#include "report/number_text.h"
#include "report/report_job.h"
#include "report/report_messages.h"

namespace tavrix::report {
namespace {

// Head line fields.
constexpr std::size_t kPointer = 1, kColumns = 2, kPointerWidth = 4, kSlots = 5, kSheet = 6,
                      kCorner1 = 7, kCorner2 = 8, kSlotSize = 9, kChecksumEnd = 10, kBase = 11;
// Column line fields.
constexpr std::size_t kColumnOffset = 1, kKind = 3, kCount = 4, kScale = 5, kText = 6, kOutput = 7;

constexpr std::int64_t kMaxSlotSize = 32;
constexpr std::int64_t kMaxTableCells = std::int64_t{1} << 24;

enum class Kind { kInt, kDateTime, kBin, kNone };

struct Column {
  std::int64_t offset = 0;
  Kind kind = Kind::kNone;
  std::size_t count = 0;  // limited to the kind's buffer
  double scale = 0;
  std::string text;
  int bit_value = 0;  // "CycleBin": the text as a number
  std::size_t output = 0;
};

Column ReadColumn(const DescriptionLine& line, std::int32_t columns) {
  Column c;
  c.offset = line.Integer(kColumnOffset);
  const std::string_view kind = line.Text(kKind);
  c.kind = kind == "CycleInt"        ? Kind::kInt
           : kind == "CycleDataTime" ? Kind::kDateTime
           : kind == "CycleBin"      ? Kind::kBin
                                     : Kind::kNone;
  const std::int32_t count = line.Integer(kCount);
  switch (c.kind) {
    case Kind::kInt:
      c.count = static_cast<std::size_t>(std::clamp(count, 0, 4));
      break;
    case Kind::kDateTime:
      c.count = static_cast<std::size_t>(std::clamp(count, 0, 6));
      break;
    case Kind::kBin:
      c.count = 1;  // always the one byte
      break;
    case Kind::kNone:
      break;
  }
  c.scale = line.Decimal(kScale);
  c.text = std::string(line.Text(kText));
  if (c.kind == Kind::kBin) c.bit_value = line.Integer(kText);
  const std::int32_t output = line.Integer(kOutput);
  if (output < 0 || output > columns) line.Fail(OutputColumnProblem(output, columns));
  c.output = static_cast<std::size_t>(output);
  return c;
}

// A negative offset reads as beyond the end of the file.
std::uint64_t Offset(std::int64_t offset) {
  return offset < 0 ? UINT64_MAX : static_cast<std::uint64_t>(offset);
}

std::string Render(const ByteView& data, std::int64_t at, const Column& c, char separator) {
  std::array<std::uint8_t, 6> b{};
  data.Copy(Offset(at), std::span(b).first(c.count));
  switch (c.kind) {
    case Kind::kInt: {
      const auto v = static_cast<std::int32_t>(ByteView(b).U32(0));
      return FormatGeneral(v * c.scale, separator);
    }
    case Kind::kDateTime: {
      std::string text = Hh(b[0]) + "." + Hh(b[1]) + "." + Hh(b[2]);
      if (c.count == 6) text += " " + Hh(b[5]) + ":" + Hh(b[4]) + ":" + Hh(b[3]);
      return text;
    }
    case Kind::kBin: {
      // Bit n - 1 of the byte, n being the scale rounded; a byte has no bit outside 1..8.
      const double n = std::nearbyint(c.scale);
      const int bit = n >= 1 && n <= 8 ? b[0] >> (static_cast<int>(n) - 1) & 1 : 0;
      return bit == c.bit_value ? c.text : std::string();
    }
    case Kind::kNone:
      break;
  }
  return std::string();
}

// The slot where the walk starts.
std::int64_t StartSlot(const ByteView& data, const DescriptionLine& head, std::int64_t base,
                       std::int64_t slot_size, std::int64_t slots) {
  const std::uint64_t at = Offset(head.Integer(kPointer));
  std::int64_t pointer = 0;
  bool valid = false;
  switch (head.Integer(kPointerWidth)) {
    case 4:  // read unsigned, so that tables above 0x8000 have pointers too
      pointer = data.U16(at);
      valid = data.U16(at + 2) == static_cast<std::uint16_t>(~data.U16(at));
      break;
    case 8:
      pointer = static_cast<std::int32_t>(data.U32(at));
      valid = data.U32(at + 4) == ~data.U32(at);
      break;
    default:
      break;
  }
  if (!valid) return 0;
  const std::int64_t start = (pointer - base) / slot_size;
  return start >= 0 && start < slots ? start : 0;
}

}  // namespace

void WriteCycleTable(TZULToExcel& job) {
  const DescriptionList& lines = job.lines();
  const std::size_t head_index = job.line_index();
  const DescriptionLine head(lines, head_index);
  const std::int32_t columns = head.Integer(kColumns);
  const std::int32_t slots = head.Integer(kSlots);
  if (columns < 0 || slots < 0 ||
      (std::int64_t{slots} + 1) * (std::int64_t{columns} + 1) > kMaxTableCells) {
    head.Fail(TableSizeProblem(slots, columns));
  }
  CellBlock block(static_cast<std::size_t>(slots) + 1, static_cast<std::size_t>(columns) + 1);
  const std::string corner1(head.Text(kCorner1)), corner2(head.Text(kCorner2));
  job.SwitchWorksheet(head.Integer(kSheet));

  const std::int64_t base = head.Integer(kBase);
  const std::int32_t given_slot_size = head.Integer(kSlotSize);
  if (given_slot_size < 1) head.Fail(SlotSizeProblem(given_slot_size));
  // Slots follow each other at their own size; only their first 32 bytes are read.
  const std::int64_t slot_size = given_slot_size;
  const std::int64_t slot_read = std::min<std::int64_t>(slot_size, kMaxSlotSize);
  const std::int64_t summed =
      std::clamp<std::int64_t>(std::int64_t{head.Integer(kChecksumEnd)} + 1, 0, kMaxSlotSize);
  const std::int64_t start = StartSlot(job.data(), head, base, slot_size, slots);

  const std::size_t after_head = lines.size() - head_index - 1;
  if (after_head < static_cast<std::size_t>(columns)) {
    head.Fail(ColumnLinesMissingProblem(columns, static_cast<long>(after_head)));
  }
  std::vector<Column> descriptions;
  for (std::int32_t j = 0; j < columns; ++j) {
    descriptions.push_back(
        ReadColumn(DescriptionLine(lines, head_index + 1 + static_cast<std::size_t>(j)), columns));
  }

  const ByteView& data = job.data();
  std::size_t row = 0;
  std::int64_t slot = start;
  for (std::int64_t i = 0; i < slots; ++i, ++slot) {
    if (start + i == slots) slot = 0;
    const std::int64_t at = base + slot * slot_size;
    std::array<std::uint8_t, kMaxSlotSize> bytes{};
    data.Copy(Offset(at), std::span(bytes).first(static_cast<std::size_t>(slot_read)));
    std::uint8_t sum = 0;
    for (std::int64_t k = 0; k < summed; ++k) sum = static_cast<std::uint8_t>(sum + bytes[k]);
    if (sum != 0xFF) continue;
    for (const Column& c : descriptions) {
      block.SetText(row, c.output, Render(data, at + c.offset, c, job.decimal_separator()));
    }
    ++row;
  }
  job.WriteRange(corner1, corner2, std::move(block));
  job.set_line_index(head_index + 1 + static_cast<std::size_t>(columns));
}

}  // namespace tavrix::report
