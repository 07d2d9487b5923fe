#include "report/oper52d.h"

#include <array>

#include "report/log_block.h"
#include "report/report_job.h"

namespace tavrix::report {
namespace {

constexpr std::uint32_t kMainPointer = 382;
constexpr std::uint32_t kShortLog = 766, kShortSlots = 3200, kShortSlot = 10, kShortSum = 9;
constexpr std::uint32_t kMainLog = 32768, kMainSlots = 7168, kMainSlot = 32, kMainSum = 31;

struct SmallTable {
  std::uint32_t count;
  std::uint32_t records;
  std::uint32_t max;
  const char* corner1;
  const char* corner2;
  int progress;
};
constexpr std::array<SmallTable, 4> kSmallTables = {{
    {262256, 262258, 40, "B14", "C53", 80},
    {262420, 262422, 40, "F14", "G53", 85},
    {262584, 262586, 20, "J14", "K33", 90},
    {262668, 262670, 20, "N14", "O33", 95},
}};

void WriteShortLog(TZULToExcel& job) {
  const ByteView& d = job.data();
  LogBlock log(3201, 5, job.decimal_separator());
  job.SwitchWorksheet(2);
  for (std::uint32_t slot = 0; slot < kShortSlots; ++slot) {
    const std::uint32_t o = kShortLog + slot * kShortSlot;
    if (!SlotValid(d, o, kShortSum) || !log.HasRoom()) continue;
    log.Scaled(1, d.S16(o), 0.01);
    log.Scaled(2, d.S16(o + 2), 0.01);
    log.Integer(3, d.U8(o + 4));
    log.Text(0, JoinBcd({d.U8(o + 5), d.U8(o + 6), d.U8(o + 7)}, '.'));
    log.NextRow();
  }
  job.WriteRange("A5", "D3204", std::move(log.block()));
  job.ShowProgress(75);
}

void WriteSmallTable(TZULToExcel& job, const SmallTable& table) {
  const ByteView& d = job.data();
  LogBlock log(table.max + 1, 3, job.decimal_separator());
  job.SwitchWorksheet(3);
  std::uint32_t count = d.U16(table.count);
  if (count > table.max) count = 0;
  for (std::uint32_t k = 0; k < count; ++k, log.NextRow()) {
    log.Scaled(0, d.S16(table.records + k * 4), 0.01);
    log.Scaled(1, d.S16(table.records + k * 4 + 2), 0.01);
  }
  job.WriteRange(table.corner1, table.corner2, std::move(log.block()));
  job.ShowProgress(table.progress);
}

void DecodeMainRecord(const ByteView& d, std::uint32_t o, LogBlock& log) {
  log.Number(0, static_cast<double>(log.row()));
  log.Scaled(9, d.S16(o), 0.1);
  log.Scaled(2, d.S16(o + 2), 0.01);
  log.Scaled(3, d.S16(o + 4), 0.01);
  log.Scaled(8, d.S16(o + 6), 0.1);
  log.Scaled(4, d.S16(o + 10), 0.01);
  log.Scaled(5, d.S16(o + 12), 0.1);
  log.Scaled(6, d.S16(o + 14), 0.01);
  log.Flags(18, d.U8(o + 16));
  log.Flags(10, d.U8(o + 17));
  log.Flags(34, d.U8(o + 18));
  log.Flags(26, d.U8(o + 19));
  log.Flags(50, d.U8(o + 20));
  log.Flags(42, d.U8(o + 21));
  log.Flags(66, d.U8(o + 22));
  log.Flags(58, d.U8(o + 23));
  log.Integer(7, d.U8(o + 24));
  const std::uint8_t b25 = d.U8(o + 25), b26 = d.U8(o + 26), b27 = d.U8(o + 27);
  const std::uint8_t kind = d.U8(o + 31);
  log.Text(1, kind == 0x91 || kind == 0xA0 ? JoinBcd({b25, b26, b27}, '.')
                                           : JoinBcd({b27, b26, b25}, ':'));
  log.Integer(75, d.U8(o + 28));
  log.Integer(74, d.U8(o + 29));
}

void WriteMainLog(TZULToExcel& job) {
  const ByteView& d = job.data();
  LogBlock log(7169, 77, job.decimal_separator());
  job.SwitchWorksheet(4);
  const auto pointer = static_cast<std::int32_t>(d.U32(kMainPointer));
  // A pointer below the log designates no slot: the walk then starts at the first one.
  const std::int64_t start = pointer < static_cast<std::int32_t>(kMainLog)
                                 ? 0
                                 : (std::int64_t{pointer} - kMainLog) / kMainSlot;
  std::int64_t slot = start;
  for (std::int64_t i = 0; i < kMainSlots; ++i, ++slot) {
    if (start + i == kMainSlots) slot = 0;
    const std::uint64_t o = kMainLog + static_cast<std::uint64_t>(slot) * kMainSlot;
    if (o > UINT32_MAX - kMainSlot || !SlotValid(d, static_cast<std::uint32_t>(o), kMainSum) ||
        !log.HasRoom()) {
      continue;
    }
    DecodeMainRecord(d, static_cast<std::uint32_t>(o), log);
    log.NextRow();
  }
  job.ShowProgress(100);
  job.WriteRange("A7", "BX7174", std::move(log.block()));
}

}  // namespace

void WriteOper52D(TZULToExcel& job) {
  WriteShortLog(job);
  for (const SmallTable& table : kSmallTables) WriteSmallTable(job, table);
  WriteMainLog(job);
}

}  // namespace tavrix::report
