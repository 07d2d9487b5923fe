#include "core/date_time.h"

#include <charconv>
#include <cstdio>

namespace tavrix {
namespace {

// Reads exactly `width` decimal digits at `pos`.
std::optional<int> Digits(std::string_view text, std::size_t pos, std::size_t width) {
  if (pos + width > text.size()) return std::nullopt;
  int value = 0;
  for (std::size_t i = pos; i < pos + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

bool IsTimeOfDay(const LocalDateTime& t) {
  return t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60 && t.second >= 0 &&
         t.second < 60;
}

}  // namespace

bool IsCalendarDate(int year, int month, int day) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1 || month < 1 || month > 12 || day < 1) return false;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::optional<LocalDateTime> ParseIsoDateTime(std::string_view text) {
  if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' ||
      text[16] != ':') {
    return std::nullopt;
  }
  const auto y = Digits(text, 0, 4), mo = Digits(text, 5, 2), d = Digits(text, 8, 2);
  const auto h = Digits(text, 11, 2), mi = Digits(text, 14, 2), s = Digits(text, 17, 2);
  if (!y || !mo || !d || !h || !mi || !s) return std::nullopt;
  const LocalDateTime t{*y, *mo, *d, *h, *mi, *s};
  if (!IsCalendarDate(t.year, t.month, t.day) || !IsTimeOfDay(t)) return std::nullopt;
  return t;
}

std::optional<LocalDateTime> ParseDayMonthYear(std::string_view text) {
  if (text.size() != 10 || text[2] != '.' || text[5] != '.') return std::nullopt;
  const auto d = Digits(text, 0, 2), m = Digits(text, 3, 2), y = Digits(text, 6, 4);
  if (!d || !m || !y || !IsCalendarDate(*y, *m, *d)) return std::nullopt;
  return LocalDateTime{*y, *m, *d, 0, 0, 0};
}

std::string FormatReadoutTime(const LocalDateTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%04d %02d:%02d", t.day, t.month, t.year, t.hour,
                t.minute);
  return buf;
}

}  // namespace tavrix
