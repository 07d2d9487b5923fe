// The operation logs of a ЗУЛ-52Н ("Oper52N"): ring A on worksheet 2, ring B on worksheet 3, the
// main log followed by the supplementary log on worksheet 4. The rings start where the majority
// of their three pointer copies points (slot 0 when no rule picks a copy); the supplementary
// log's length is voted from its three copies (33 when they give none) and read at most 33 slots
// far, its capacity.
#pragma once

#include <optional>

namespace tavrix::report {

class TZULToExcel;

// The votes, for tests: three length copies, and three pointer copies (none when no rule applies).
int VoteSupplementaryCount(int c0, int c3, int c6);
std::optional<int> VotePointer(int p1, int p2, int p3);

void WriteOper52N(TZULToExcel& job);

}  // namespace tavrix::report
