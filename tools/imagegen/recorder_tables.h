// The recorder's tables and logs as the generator fills them: for each model its operation logs,
// rings, small tables and cycle tables, with plausible records in time order (the oldest where
// the walk starts, the pointers wrapping around their rings), slot checksums that hold except
// for a chosen share of slots, and pointers stored as the recorder keeps them.
#pragma once

#include <cstdint>
#include <vector>

#include "core/date_time.h"
#include "data/model.h"

namespace tavrix::gen {

struct TableSpec {
  bool fill = false;
  double invalid_share = 0;  // share of record slots whose checksum fails, 0..1
  int pointer_slot = -1;     // the slot where each ring starts (modulo its size); -1: by seed
  LocalDateTime newest = {2026, 6, 1, 12, 0, 0};  // the time of each table's newest record
};

// A cycle table that the generator fills, for libraries to describe with "AddrCycle": a pointer
// pair (two 16-bit words for width 4, two 32-bit words for width 8) designating the oldest slot,
// and slots of `slot_size` bytes whose last byte makes all of them sum to 0xFF. A slot holds a
// stamp (day, month, year, second, minute, hour as BCD) at 0, load x0.01 t (unsigned 16) at 6,
// radius x0.01 m (unsigned 16) at 8, the cycle number (unsigned 16) at 10 and a flag byte at 12.
struct CycleTableLayout {
  std::uint32_t pointer;
  int pointer_width;
  std::uint32_t base;
  int slots;
  int slot_size;
};
std::vector<CycleTableLayout> CycleTablesOf(Model model);

void FillTables(std::vector<std::uint8_t>& image, Model model, const TableSpec& image_spec,
                std::uint64_t seed);

}  // namespace tavrix::gen
