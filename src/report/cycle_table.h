// The cycle-table writer ("AddrCycle"): a table of N slots of S bytes at B, described by its head
// line and the M column lines after it, walked in ring order from the slot that a valid pointer
// pair designates (slot 0 when the pair is not valid, its width is neither 4 nor 8, or it points
// outside the table). Each slot whose bytes 0..L sum to 0xFF gives one row of an (N+1) x (M+1)
// block. Of a slot above 32 bytes only the first 32 are read, L is limited to 31 and byte counts
// to their kind's buffer; a table whose size, slot size or output columns make no sense fails
// naming its line.
#pragma once

namespace tavrix::report {

class TZULToExcel;

// Called with the job's line index on the head line; moves it past the column lines.
void WriteCycleTable(TZULToExcel& job);

}  // namespace tavrix::report
