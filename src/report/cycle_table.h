// The cycle-table writer: an "AddrCycle" head line and the M column lines after it describe a
// table of N slots of S bytes with a ring pointer; the valid slots, in ring order from the
// pointer, become the rows of an (N + 1) x (M + 1) block written over the head line's range.
// A malformed table (too few fields, a number that does not convert, column lines past the end
// of the list, a negative M or N, S outside 1..32, an output column outside 0..M, a bit number
// outside 1..8, a block above 8 388 608 cells) fails with a message naming its line; byte counts
// are limited to their buffers (4, 6), a checksum end above 31 counts as 31, and a pointer that
// designates no slot of the table walks from slot 0.
#pragma once

#include <cstddef>

#include "report/description_list.h"
#include "report/report_job.h"

namespace tavrix::report {

inline constexpr std::size_t kCycleHeadFields = 12;
inline constexpr std::size_t kCycleColumnFields = 8;
inline constexpr std::int64_t kMaxTableCells = 1 << 23;

// Writes the table whose head line is lines[index]; returns 1 + M, the lines it took.
std::size_t WriteCycleTable(TZULToExcel& job, const DescriptionList& lines, std::size_t index);

}  // namespace tavrix::report
