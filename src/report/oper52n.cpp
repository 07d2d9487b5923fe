#include "report/oper52n.h"

#include <algorithm>

#include "data/header_layout.h"
#include "report/log_block.h"
#include "report/report_job.h"

namespace tavrix::report {
namespace {

constexpr std::uint32_t kMainLog = 0, kMainSlots = 7260;
constexpr std::uint32_t kSupplementaryLog = kBase52N + 664;  // 232984
constexpr int kSupplementarySlots = 33;
constexpr std::uint32_t kCountBlock = kBase52N + 1748;  // 234068
constexpr std::uint32_t kPointersA = 234077, kPointersB = 234083;
constexpr std::uint32_t kLogSlot = 32, kRingSlot = 10;

struct Ring {
  std::uint32_t pointers;
  std::uint32_t base_offset;  // from kBase52N; a pointer is its slot's offset from there too
  std::uint16_t slots;
};
constexpr Ring kRingA{kPointersA, 2020, 2600};
constexpr Ring kRingB{kPointersB, 28024, 150};

std::uint16_t StartIndex(const ByteView& data, const Ring& ring) {
  const auto taken = VotePointer(data.U16(ring.pointers), data.U16(ring.pointers + 2),
                                 data.U16(ring.pointers + 4));
  if (!taken) return 0;
  return static_cast<std::uint16_t>((*taken - static_cast<int>(ring.base_offset)) /
                                    static_cast<int>(kRingSlot));
}

// Visits the ring's valid slots in ring order from the start index (a start beyond the ring
// reads the slots that follow it, which the checksum rejects unless they hold records).
template <typename Decode>
void WalkRing(const ByteView& data, const Ring& ring, LogBlock& log, Decode decode) {
  const std::uint16_t start = StartIndex(data, ring);
  std::uint32_t slot = start;
  for (std::uint32_t i = 0; i < ring.slots; ++i, ++slot) {
    if (start + i == ring.slots) slot = 0;
    const std::uint32_t offset = kBase52N + ring.base_offset + slot * kRingSlot;
    if (!SlotValid(data, offset, kRingSlot) || !log.HasRoom()) continue;
    decode(offset);
    log.NextRow();
  }
}

void DecodeLogRecord(const ByteView& d, std::uint32_t o, bool integer_e, LogBlock& log) {
  log.Text(0, StampText(d, o));
  log.Scaled(1, d.S16(o + 6), 0.01);
  log.Scaled(2, d.S16(o + 8), 0.01);
  log.Scaled(3, d.U16(o + 10), 0.01);
  if (integer_e) {
    log.Integer(4, d.S16(o + 12));
  } else {
    log.Scaled(4, d.S16(o + 12), 0.1);
  }
  log.Scaled(5, d.S16(o + 14), 0.01);
  log.Scaled(7, d.S16(o + 16), 0.1);
  log.Scaled(9, d.S16(o + 18), 0.1);
  log.Flags(18, d.U8(o + 20));
  log.Integer(8, d.U8(o + 21));
  log.Integer(58, d.U8(o + 22));
  log.Integer(59, d.U8(o + 23));
  log.Integer(6, d.U8(o + 24));
  log.Flags(10, d.U8(o + 25));
  log.Flags(26, d.U8(o + 26));
  log.Flags(42, d.U8(o + 27));
  log.Flags(34, d.U8(o + 28));
  log.Flags(50, d.U8(o + 29));
  log.Integer(60, d.U8(o + 30));
}

void WalkLog(const ByteView& d, std::uint32_t base, std::uint32_t slots, bool integer_e,
             LogBlock& log) {
  for (std::uint32_t slot = 0; slot < slots; ++slot) {
    const std::uint32_t o = base + slot * kLogSlot;
    if (!SlotValid(d, o, kLogSlot) || !log.HasRoom()) continue;
    DecodeLogRecord(d, o, integer_e, log);
    log.NextRow();
  }
}

}  // namespace

int VoteSupplementaryCount(int c0, int c3, int c6) {
  int count = 0;
  if (c0 - c6 == 1) count = c0;
  if (c0 == c3) count = c0;
  if (c0 == c6) count = c0;
  if (c3 == c6) count = c3;
  return count == 0 ? 33 : count;
}

std::optional<int> VotePointer(int p1, int p2, int p3) {
  std::optional<int> taken;
  if (p1 - p3 == 1) taken = p1;
  if (p1 == p2) taken = p1;
  if (p1 == p3) taken = p1;
  if (p2 == p3) taken = p2;
  return taken;
}

void WriteOper52N(TZULToExcel& job) {
  const ByteView& d = job.data();
  const char separator = job.decimal_separator();
  // A vote above the log's 33 slots would walk on into the count block and ring A and show
  // whatever passes a checksum there as records.
  const int count = std::min(
      VoteSupplementaryCount(d.U8(kCountBlock), d.U8(kCountBlock + 3), d.U8(kCountBlock + 6)),
      kSupplementarySlots);

  LogBlock ring_a(2601, 6, separator);
  job.SwitchWorksheet(2);
  WalkRing(d, kRingA, ring_a, [&](std::uint32_t o) {
    ring_a.Scaled(1, d.U16(o), 0.01);
    ring_a.Scaled(2, d.S16(o + 2), 0.01);
    ring_a.Integer(3, d.U8(o + 4));
    ring_a.Text(0, JoinBcd({d.U8(o + 5), d.U8(o + 6), d.U8(o + 7)}, '.'));
    ring_a.Integer(4, d.U8(o + 8));
  });
  job.WriteRange("A5", "E2604", std::move(ring_a.block()));
  job.ShowProgress(75);

  LogBlock ring_b(151, 4, separator);
  job.SwitchWorksheet(3);
  WalkRing(d, kRingB, ring_b, [&](std::uint32_t o) {
    ring_b.Integer(2, d.S16(o));
    ring_b.Integer(1, d.U8(o + 2));
    ring_b.Text(0, StampText(d, o + 3));
  });
  job.WriteRange("A5", "C154", std::move(ring_b.block()));
  job.ShowProgress(85);

  const bool integer_e = job.version_text() == "33";
  LogBlock log(7294, 61, separator);
  job.SwitchWorksheet(4);
  WalkLog(d, kMainLog, kMainSlots, integer_e, log);
  job.ShowProgress(95);
  WalkLog(d, kSupplementaryLog, static_cast<std::uint32_t>(count), integer_e, log);
  job.WriteRange("A7", "BI7299", std::move(log.block()));
}

}  // namespace tavrix::report
