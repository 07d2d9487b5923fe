// The operation log of a ЗУЛ-38 ("Oper38") on worksheet 2: a ring of 11 000 records whose stamps
// carry no year. The year is the clock's, or the one before when that would put the record in
// the future. The ring is scanned for the newest record and walked from the one after it, so the
// oldest comes first. A stamp that is no calendar date (31 April, day 0) takes no part in the
// scan; its record is shown with its text all the same.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "core/clock.h"

namespace tavrix::report {

class TZULToExcel;

struct Stamp38 {
  std::string text;      // "dd.mm.yyyy hh:mm:ss"
  LocalDateTime moment;  // the same fields as numbers
  bool calendar_date;    // whether the moment is a real calendar date
};

// The stamp of the five bytes second, minute, hour, day, month.
Stamp38 MakeStamp38(std::span<const std::uint8_t, 5> bytes, const Clock& clock);

void WriteOper38(TZULToExcel& job);

}  // namespace tavrix::report
