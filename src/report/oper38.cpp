#include "report/oper38.h"

#include <array>

#include "report/log_block.h"
#include "report/report_job.h"

namespace tavrix::report {
namespace {

constexpr std::uint32_t kSlots = 11000, kSlot = 24;

// A packed BCD field as its text (tens digit then units digit, each as a decimal number, so a
// units nibble of 10..15 gives three characters) and the number that text reads; a number above
// `max` is replaced by the single digit `replacement`, written with a leading zero.
struct Field {
  std::string text;
  int value;
};
Field MakeField(std::uint8_t b, std::uint8_t tens_mask, int max, int replacement) {
  const int tens = (b & tens_mask) >> 4, units = b & 0x0F;
  const int value = units < 10 ? tens * 10 + units : tens * 100 + units;
  if (value > max) return {"0" + std::to_string(replacement), replacement};
  return {std::to_string(tens) + std::to_string(units), value};
}

void DecodeRecord(const ByteView& d, std::uint32_t o, const Clock& clock, LogBlock& log) {
  std::array<std::uint8_t, 5> stamp;
  d.Copy(o, stamp);
  log.Text(0, MakeStamp38(stamp, clock).text);
  log.Scaled(2, d.S16(o + 5), 0.01);
  log.Scaled(1, d.U8(o + 7) + 256 * (d.U8(o + 8) & 3), 0.1);
  log.Scaled(5, d.S16(o + 9), 0.1);
  log.Scaled(4, d.S16(o + 11), 0.1);
  log.Scaled(3, d.S16(o + 13), 0.01);
  log.Scaled(6, d.S16(o + 15), 0.01);
  log.Flags(8, d.U8(o + 17));
  log.Flags(16, d.U8(o + 18));
  const std::uint8_t nibbles = d.U8(o + 19);
  log.Text(32, std::to_string(nibbles >> 4));
  log.Text(33, std::to_string(nibbles & 0x0F));
  log.Flags(24, d.U8(o + 20));
  log.Integer(7, d.U8(o + 21));
  const std::uint8_t b22 = d.U8(o + 22);
  log.Text(34, std::to_string(b22 >> 4) + std::to_string(b22 & 0x0F));
}

// The slot of the newest record; 0 when no valid record has a calendar date.
std::uint32_t NewestSlot(const ByteView& d, const Clock& clock) {
  LocalDateTime newest{1999, 1, 1, 0, 0, 0};
  std::uint32_t newest_slot = 0;
  std::array<std::uint8_t, 5> stamp;
  for (std::uint32_t slot = 0; slot < kSlots; ++slot) {
    const std::uint32_t o = slot * kSlot;
    if (!SlotValid(d, o, kSlot)) continue;
    d.Copy(o, stamp);
    const Stamp38 s = MakeStamp38(stamp, clock);
    if (s.calendar_date && newest < s.moment) {
      newest = s.moment;
      newest_slot = slot;
    }
  }
  return newest_slot;
}

}  // namespace

Stamp38 MakeStamp38(std::span<const std::uint8_t, 5> b, const Clock& clock) {
  const Field second = MakeField(b[0], 0x70, 59, 0);
  const Field minute = MakeField(b[1], 0x70, 59, 0);
  const Field hour = MakeField(b[2], 0x30, 23, 0);
  const Field day = MakeField(b[3], 0x30, 31, 1);
  const Field month = MakeField(b[4], 0x10, 12, 1);
  const LocalDateTime now = clock.Now();
  LocalDateTime moment{now.year, month.value, day.value, hour.value, minute.value, second.value};
  if (moment > now) --moment.year;
  return {day.text + "." + month.text + "." + std::to_string(moment.year) + " " + hour.text + ":" +
              minute.text + ":" + second.text,
          moment, IsCalendarDate(moment.year, moment.month, moment.day)};
}

void WriteOper38(TZULToExcel& job) {
  const ByteView& d = job.data();
  LogBlock log(11001, 36, job.decimal_separator());
  job.SwitchWorksheet(2);
  const std::uint32_t start = NewestSlot(d, job.clock()) + 1;
  std::uint32_t slot = start;
  for (std::uint32_t i = 0; i < kSlots; ++i, ++slot) {
    if (start + i == kSlots) slot = 0;
    const std::uint32_t o = slot * kSlot;
    if (!SlotValid(d, o, kSlot) || !log.HasRoom()) continue;
    DecodeRecord(d, o, job.clock(), log);
    log.NextRow();
  }
  job.ShowProgress(100);
  job.WriteRange("A7", "AI11006", std::move(log.block()));
}

}  // namespace tavrix::report
