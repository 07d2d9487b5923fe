#include "core/date_time.h"

#include <gtest/gtest.h>

namespace tavrix {
namespace {

TEST(DateTime, CalendarDates) {
  EXPECT_TRUE(IsCalendarDate(2024, 2, 29));
  EXPECT_TRUE(IsCalendarDate(2000, 2, 29));
  EXPECT_FALSE(IsCalendarDate(1900, 2, 29));
  EXPECT_FALSE(IsCalendarDate(2023, 2, 29));
  EXPECT_FALSE(IsCalendarDate(2023, 4, 31));
  EXPECT_FALSE(IsCalendarDate(2023, 0, 1));
  EXPECT_FALSE(IsCalendarDate(2023, 13, 1));
  EXPECT_FALSE(IsCalendarDate(2023, 1, 0));
}

TEST(DateTime, ParsesOnlyWellFormedRealMoments) {
  EXPECT_EQ(ParseIsoDateTime("2026-12-09 08:05:03"), (LocalDateTime{2026, 12, 9, 8, 5, 3}));
  for (const char* bad : {"2026-12-09", "2026-12-09T08:05:03", "2026-02-30 00:00:00",
                          "2026-12-09 24:00:00", "2026-12-09 08:60:00", "2026-1a-09 08:05:03"}) {
    EXPECT_FALSE(ParseIsoDateTime(bad)) << bad;
  }
  EXPECT_EQ(ParseDayMonthYear("31.12.2099"), (LocalDateTime{2099, 12, 31, 0, 0, 0}));
  for (const char* bad : {"1F.12.2099", "31.02.2020", "00.01.2020", "1.1.2020", "01.01.20A5"}) {
    EXPECT_FALSE(ParseDayMonthYear(bad)) << bad;
  }
}

TEST(DateTime, ReadoutTimeFormat) {
  EXPECT_EQ(FormatReadoutTime({2026, 3, 7, 9, 4, 59}), "07.03.2026 09:04");
}

}  // namespace
}  // namespace tavrix
