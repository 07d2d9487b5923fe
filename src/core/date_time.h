// A local calendar date and time of day, as the recorder, the passport and the reports write
// them. Plain fields, ordered field by field; the parsers accept only real calendar moments.
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace tavrix {

struct LocalDateTime {
  int year = 2000;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;

  auto operator<=>(const LocalDateTime&) const = default;
};

bool IsCalendarDate(int year, int month, int day);

// "YYYY-MM-DD hh:mm:ss" (the form of the command line's --now).
std::optional<LocalDateTime> ParseIsoDateTime(std::string_view text);

// "dd.mm.yyyy": exactly two, two and four digits; the time of day is midnight.
std::optional<LocalDateTime> ParseDayMonthYear(std::string_view text);

// "dd.mm.yyyy hh:mm", the read-out time of a passport.
std::string FormatReadoutTime(const LocalDateTime& t);

}  // namespace tavrix
