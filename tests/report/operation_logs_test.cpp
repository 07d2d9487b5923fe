#include <gmock/gmock.h>

#include "report/oper38.h"
#include "report/oper52d.h"
#include "report/oper52n.h"
#include "report/report_fixture.h"

namespace tavrix::report::testing {
namespace {

using ::testing::ElementsAre;

std::vector<std::uint8_t> Le16(int v) {
  return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)};
}
std::vector<std::uint8_t> Cat(std::initializer_list<std::vector<std::uint8_t>> parts) {
  std::vector<std::uint8_t> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// --- ЗУЛ-52Н ---

TEST(Oper52N, Votes) {
  EXPECT_EQ(VoteSupplementaryCount(5, 7, 4), 5);
  EXPECT_EQ(VoteSupplementaryCount(5, 4, 4), 4);
  EXPECT_EQ(VoteSupplementaryCount(0, 0, 0), 33);
  EXPECT_EQ(VoteSupplementaryCount(1, 2, 3), 33);
  EXPECT_EQ(VotePointer(30, 10, 29), 30);
  EXPECT_EQ(VotePointer(30, 10, 10), 10);
  EXPECT_EQ(VotePointer(30, 30, 7), 30);
  EXPECT_EQ(VotePointer(1, 2, 3), std::nullopt);
}

class Oper52NTest : public ReportTest {
 protected:
  void SetUp() override { data_.assign(271067, 0); }
  void RingPointers(std::size_t at, int p) {
    for (int k = 0; k < 3; ++k) Poke(at + 2 * k, Le16(p));
  }
};

TEST_F(Oper52NTest, RingsFromTheirVotedPointersThenMainAndSupplementaryLogs) {
  // Ring A starts at its last slot and wraps to slot 0.
  RingPointers(234077, 2020 + 2599 * 10);
  PokeSlot(234340 + 2599 * 10, Cat({Le16(1234), Le16(-5), {7, 0x31, 0x12, 0x09, 200}}), 10);
  PokeSlot(234340, Cat({Le16(1), Le16(0), {0, 0x01, 0x01, 0x10, 0}}), 10);
  // Ring B: no copies agree, so it starts at slot 0.
  Poke(234083, Cat({Le16(28024 + 50), Le16(28024 + 60), Le16(28024 + 70)}));
  PokeSlot(260344, Cat({Le16(-3), {9, 0x05, 0x04, 0x10, 0x30, 0x15, 0x08}}), 10);
  // One main-log record, then two of the supplementary log (all three copies say 2).
  const auto record = Cat({{0x05, 0x04, 0x10, 0x30, 0x15, 0x08},
                           Le16(-150),
                           Le16(20),
                           Le16(65535),
                           Le16(-5),
                           Le16(1),
                           Le16(2),
                           Le16(3),
                           {0x81, 21, 22, 23, 24, 0x01, 0, 0, 0, 0x80, 30}});
  PokeSlot(0, record, 32);
  PokeSlot(32, record, 32);
  data_[32 + 31] ^= 1;  // invalid
  Poke(234068, {2, 0, 0, 2, 0, 0, 2});
  PokeSlot(232984, record, 32);
  PokeSlot(232984 + 32, Cat({{0x31, 0x12, 0x99}}), 32);
  host_.version = "1";
  ASSERT_TRUE(Run({kTemplateLine, kLine1, Line({"x", "", "", "Oper52N"})}));

  EXPECT_THAT(
      std::vector(host_.sheet.calls().begin() + 3, host_.sheet.calls().end()),
      ElementsAre("ReleaseWorksheet", "SelectWorksheet 2", "WriteRange A5:E2604 block 2601x6",
                  "ReleaseWorksheet", "SelectWorksheet 3", "WriteRange A5:C154 block 151x4",
                  "ReleaseWorksheet", "SelectWorksheet 4", "WriteRange A7:BI7299 block 7294x61",
                  "SelectWorksheet 1", "ReleaseWorksheet"));
  EXPECT_THAT(host_.progress, ElementsAre(66, 75, 85, 95));

  EXPECT_EQ(Cell(2, "A5"), T("31.12.09"));
  EXPECT_EQ(Cell(2, "B5"), T("12,34"));
  EXPECT_EQ(Cell(2, "C5"), T("-0,05"));
  EXPECT_EQ(Cell(2, "D5"), T("7"));
  EXPECT_EQ(Cell(2, "E5"), T("200"));
  EXPECT_EQ(Cell(2, "A6"), T("01.01.10"));
  EXPECT_EQ(Cell(2, "A7"), Empty());

  EXPECT_EQ(Cell(3, "A5"), T("05.04.10 08:15:30"));
  EXPECT_EQ(Cell(3, "B5"), T("9"));
  EXPECT_EQ(Cell(3, "C5"), T("-3"));

  EXPECT_EQ(Cell(4, "A7"), T("05.04.10 08:15:30"));
  EXPECT_EQ(Cell(4, "B7"), T("-1,5"));
  EXPECT_EQ(Cell(4, "D7"), T("655,35"));
  EXPECT_EQ(Cell(4, "E7"), T("-0,5"));
  EXPECT_EQ(Cell(4, "I7"), T("21"));
  EXPECT_EQ(Cell(4, "G7"), T("24"));
  EXPECT_EQ(Cell(4, "BG7"), T("22"));
  EXPECT_EQ(Cell(4, "BI7"), T("30"));
  const char* flags[] = {"S7", "T7", "U7", "V7", "W7", "X7", "Y7", "Z7"};
  const double expected[] = {1, 0, 0, 0, 0, 0, 0, 1};
  for (int k = 0; k < 8; ++k) EXPECT_EQ(Cell(4, flags[k]), Number(expected[k])) << flags[k];
  EXPECT_EQ(Cell(4, "R7"), Number(1));   // low bit of byte 25
  EXPECT_EQ(Cell(4, "AY7"), Number(1));  // high bit of byte 29
  EXPECT_EQ(Cell(4, "A8"), T("05.04.10 08:15:30")) << "supplementary log after the main log";
  EXPECT_EQ(Cell(4, "A9"), T("31.12.99 00:00:00"));
  EXPECT_EQ(Cell(4, "A10"), Empty());
}

TEST_F(Oper52NTest, ACountAboveTheLogsCapacityReadsOnly33Slots) {
  // Slot 33 would end on the count block; made to pass its checksum with the counts in it.
  Poke(234040, {187});
  Poke(234068, {34, 0, 0, 34, 0, 0, 34});
  ASSERT_TRUE(Run({kTemplateLine, kLine1, Line({"x", "", "", "Oper52N"})}));
  EXPECT_EQ(Cell(4, "A7"), Empty());
}

TEST_F(Oper52NTest, VersionThirtyThreeShowsColumnEAsAnInteger) {
  PokeSlot(0, Cat({{1, 1, 1, 0, 0, 0}, Le16(0), Le16(0), Le16(0), Le16(-5)}), 32);
  host_.version = "33";
  ASSERT_TRUE(Run({kTemplateLine, kLine1, Line({"x", "", "", "Oper52N"})}));
  EXPECT_EQ(Cell(4, "E7"), T("-5"));
}

// --- ЗУЛ-52Д ---

class Oper52DTest : public ReportTest {
 protected:
  void SetUp() override { data_.assign(271067, 0); }
  void Pointer(std::int32_t p) {
    Poke(382, Cat({Le16(p & 0xFFFF), Le16(p >> 16), Le16(~p & 0xFFFF), Le16(~p >> 16)}));
  }
  std::vector<std::uint8_t> MainRecord(std::uint8_t id, std::vector<std::uint8_t> time,
                                       std::uint8_t kind) {
    auto r = Cat({Le16(id),
                  Le16(-250),
                  Le16(3),
                  Le16(4),
                  Le16(0),
                  Le16(5),
                  Le16(6),
                  Le16(7),
                  {0x80, 0x01, 0, 0, 0, 0, 0, 0x01, 24},
                  time,
                  {28, 29}});
    std::uint8_t sum = 0;
    for (auto b : r) sum = static_cast<std::uint8_t>(sum + b);
    r.push_back(static_cast<std::uint8_t>(0xFF - sum));
    r.push_back(kind);
    return r;
  }
};

TEST_F(Oper52DTest, ShortLogSmallTablesAndMainLogInRingOrder) {
  PokeSlot(766 + 10, Cat({Le16(-1), Le16(250), {3, 0x31, 0x12, 0x09}}), 9);
  Poke(766 + 10 + 9, {0x55});  // byte 9 is outside the checksum
  Poke(262256, Le16(40));
  for (int k = 0; k < 40; ++k) Poke(262258 + 4 * k, Cat({Le16(k), Le16(-k)}));
  Poke(262420, Le16(41));
  Poke(262422, Cat({Le16(1), Le16(1)}));
  Pointer(32768 + 7167 * 32);
  Poke(32768 + 7167 * 32, MainRecord(10, {0x31, 0x12, 0x09}, 0x91));
  Poke(32768 + 5 * 32, MainRecord(20, {0x30, 0x15, 0x08}, 0x00));
  Poke(32768 + 6 * 32, MainRecord(30, {0x30, 0x15, 0x08}, 0xA0));
  data_[32768 + 6 * 32 + 2] ^= 1;  // fails its checksum
  ASSERT_TRUE(Run({kTemplateLine, kLine1, Line({"x", "", "", "Oper52D"})}));
  EXPECT_THAT(host_.progress, ElementsAre(66, 75, 80, 85, 90, 95, 100));

  EXPECT_EQ(Cell(2, "A5"), T("31.12.09"));
  EXPECT_EQ(Cell(2, "B5"), T("-0,01"));
  EXPECT_EQ(Cell(2, "C5"), T("2,5"));
  EXPECT_EQ(Cell(2, "D5"), T("3"));
  EXPECT_EQ(Cell(2, "A6"), Empty());

  EXPECT_EQ(Cell(3, "B14"), T("0"));
  EXPECT_EQ(Cell(3, "B53"), T("0,39"));
  EXPECT_EQ(Cell(3, "C53"), T("-0,39"));
  EXPECT_EQ(Cell(3, "F14"), Empty()) << "a count above 40 empties the table";

  EXPECT_EQ(Cell(4, "A7"), Number(0));
  EXPECT_EQ(Cell(4, "J7"), T("1"));
  EXPECT_EQ(Cell(4, "B7"), T("31.12.09"));
  EXPECT_EQ(Cell(4, "C7"), T("-2,5"));
  EXPECT_EQ(Cell(4, "F7"), T("0,6"));
  EXPECT_EQ(Cell(4, "H7"), T("24"));
  EXPECT_EQ(Cell(4, "S7"), Number(1));   // bit 7 of byte 16
  EXPECT_EQ(Cell(4, "R7"), Number(1));   // bit 0 of byte 17
  EXPECT_EQ(Cell(4, "BN7"), Number(1));  // bit 0 of byte 23
  EXPECT_EQ(Cell(4, "BX7"), T("28"));
  EXPECT_EQ(Cell(4, "BW7"), T("29"));
  EXPECT_EQ(Cell(4, "A8"), Number(1));
  EXPECT_EQ(Cell(4, "J8"), T("2"));
  EXPECT_EQ(Cell(4, "B8"), T("08:15:30"));
  EXPECT_EQ(Cell(4, "A9"), Empty());
}

TEST_F(Oper52DTest, APointerBelowTheLogStartsAtSlotZero) {
  Pointer(100);
  Poke(32768 + 3 * 32, MainRecord(3, {1, 1, 1}, 0));
  Poke(32768 + 7167 * 32, MainRecord(9, {1, 1, 1}, 0));
  ASSERT_TRUE(Run({kTemplateLine, kLine1, Line({"x", "", "", "Oper52D"})}));
  EXPECT_EQ(Cell(4, "J7"), T("0,3"));
  EXPECT_EQ(Cell(4, "J8"), T("0,9"));
}

// --- ЗУЛ-38 ---

TEST(Oper38, StampTakesTheYearFromTheClock) {
  const auto stamp = [](std::array<std::uint8_t, 5> b, LocalDateTime now) {
    return MakeStamp38(b, FixedClock(now)).text;
  };
  EXPECT_EQ(stamp({0x30, 0x15, 0x08, 0x31, 0x12}, {2026, 12, 31, 12, 0, 0}), "31.12.2026 08:15:30");
  EXPECT_EQ(stamp({0x30, 0x15, 0x08, 0x31, 0x12}, {2026, 6, 15, 12, 0, 0}), "31.12.2025 08:15:30");
  EXPECT_EQ(stamp({0x30, 0x15, 0x08, 0x31, 0x12}, {2026, 12, 31, 8, 15, 30}),
            "31.12.2026 08:15:30");
  EXPECT_EQ(stamp({0x00, 0x00, 0x25, 0x01, 0x13}, {2026, 6, 15, 0, 0, 0}), "01.01.2026 00:00:00");
  EXPECT_EQ(stamp({0x7F, 0x0C, 0x00, 0x3F, 0x1F}, {2026, 6, 15, 0, 0, 0}), "01.01.2026 00:012:00")
      << "a units nibble above 9 gives three characters; groups above the limit are replaced";
  const std::array<std::uint8_t, 5> april31 = {0, 0, 0, 0x31, 0x04};
  EXPECT_FALSE(MakeStamp38(april31, FixedClock({2026, 6, 1, 0, 0, 0})).calendar_date);
}

class Oper38Test : public ReportTest {
 protected:
  void SetUp() override {
    data_.assign(271067, 0);
    host_.model = Utf8ToCp1251("ЗУЛ-38");
  }
  void Record(int slot, std::vector<std::uint8_t> stamp, std::uint8_t id) {
    auto bytes = Cat({stamp,
                      Le16(id),
                      {0xFF, 0xFF},
                      Le16(-5),
                      Le16(7),
                      Le16(8),
                      Le16(9),
                      {0x80, 0x01, 0x47, 0x02, 21, 0x47}});
    PokeSlot(static_cast<std::size_t>(slot) * 24, bytes, 24);
  }
  std::vector<CellContent> Column(const char* column, int rows) const {
    std::vector<CellContent> cells;
    for (int r = 0; r < rows; ++r)
      cells.push_back(Cell(2, (column + std::to_string(7 + r)).c_str()));
    return cells;
  }
};

TEST_F(Oper38Test, WalksFromTheRecordAfterTheNewest) {
  Record(2, {0, 0, 0x10, 0x01, 0x06}, 2);       // 01.06 10:00
  Record(4, {0, 0, 0x11, 0x01, 0x06}, 4);       // 01.06 11:00, the newest
  Record(10999, {0, 0, 0x09, 0x01, 0x06}, 99);  // 01.06 09:00
  Record(7, {0, 0, 0x12, 0x31, 0x04}, 7);       // 31.04: no date, shown but not the newest
  Record(9, {0, 0, 0x13, 0x01, 0x07}, 9);       // 01.07 of last year: older
  ASSERT_TRUE(Run({kTemplateLine, kLine1, Line({"x", "", "", "Oper38"})}));
  EXPECT_EQ(Column("C", 6),
            (std::vector{T("0,07"), T("0,09"), T("0,99"), T("0,02"), T("0,04"), Empty()}));
  EXPECT_EQ(Cell(2, "A7"), T("31.04.2026 12:00:00"));
  EXPECT_EQ(Cell(2, "A8"), T("01.07.2025 13:00:00"));
  EXPECT_EQ(Cell(2, "A11"), T("01.06.2026 11:00:00"));
  EXPECT_EQ(Cell(2, "B7"), T("102,3"));
  EXPECT_EQ(Cell(2, "F7"), T("-0,5"));
  EXPECT_EQ(Cell(2, "E7"), T("0,7"));
  EXPECT_EQ(Cell(2, "D7"), T("0,08"));
  EXPECT_EQ(Cell(2, "G7"), T("0,09"));
  EXPECT_EQ(Cell(2, "I7"), Number(1));  // bit 7 of byte 17
  EXPECT_EQ(Cell(2, "X7"), Number(1));  // bit 0 of byte 18
  EXPECT_EQ(Cell(2, "AG7"), T("4"));
  EXPECT_EQ(Cell(2, "AH7"), T("7"));
  EXPECT_EQ(Cell(2, "AE7"), Number(1));  // bit 1 of byte 20
  EXPECT_EQ(Cell(2, "H7"), T("21"));
  EXPECT_EQ(Cell(2, "AI7"), T("47"));
  EXPECT_THAT(host_.progress, ElementsAre(66, 100));
}

TEST_F(Oper38Test, AmongEqualStampsTheLowestSlotIsTheNewest) {
  Record(3, {0, 0, 0x10, 0x01, 0x06}, 3);
  Record(8, {0, 0, 0x10, 0x01, 0x06}, 8);
  Record(10999, {0, 0, 0x09, 0x01, 0x06}, 99);
  ASSERT_TRUE(Run({kTemplateLine, kLine1, Line({"x", "", "", "Oper38"})}));
  EXPECT_EQ(Column("C", 3), (std::vector{T("0,08"), T("0,99"), T("0,03")}));
}

TEST_F(Oper38Test, NewestInTheLastSlotWalksInSlotOrder) {
  Record(0, {0, 0, 0x09, 0x01, 0x06}, 1);
  Record(10999, {0, 0, 0x10, 0x01, 0x06}, 2);
  ASSERT_TRUE(Run({kTemplateLine, kLine1, Line({"x", "", "", "Oper38"})}));
  EXPECT_EQ(Column("C", 2), (std::vector{T("0,01"), T("0,02")}));
}

}  // namespace
}  // namespace tavrix::report::testing
