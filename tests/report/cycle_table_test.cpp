#include "report/cycle_table.h"

#include "report/report_fixture.h"

namespace tavrix::report::testing {
namespace {

constexpr int kPointerAt = 280, kBase = 300, kSlot = 8;

std::string Head(int columns, int width, int slots, const std::string& size = "8",
                 const std::string& checksum_end = "7") {
  return Line({"x", std::to_string(kPointerAt), std::to_string(columns), "AddrCycle",
               std::to_string(width), std::to_string(slots), "1", "A10", "C14", size, checksum_end,
               std::to_string(kBase)});
}
std::string Column(int offset, const std::string& kind, int count, const std::string& scale,
                   const std::string& text, int output) {
  return Line({"x", std::to_string(offset), "x", kind, std::to_string(count), scale, text,
               std::to_string(output)});
}

class CycleTable : public ReportTest {
 protected:
  // Slot k holds k + 1 in its first byte; the slots in `invalid` fail their checksum.
  void FillSlots(int slots, std::initializer_list<int> invalid = {}) {
    for (int k = 0; k < slots; ++k) {
      PokeSlot(kBase + k * kSlot, {static_cast<std::uint8_t>(k + 1)}, kSlot);
      for (int bad : invalid) {
        if (bad == k) data_[kBase + k * kSlot + 7] ^= 1;
      }
    }
  }
  void PointAt(std::uint16_t pointer, std::uint16_t check) {
    Poke(kPointerAt, {static_cast<std::uint8_t>(pointer), static_cast<std::uint8_t>(pointer >> 8),
                      static_cast<std::uint8_t>(check), static_cast<std::uint8_t>(check >> 8)});
  }
  std::vector<CellContent> ColumnA() const {
    std::vector<CellContent> cells;
    for (int row = 10; row <= 14; ++row)
      cells.push_back(Cell(1, ("A" + std::to_string(row)).c_str()));
    return cells;
  }
  const std::string slot_id_ = Column(0, "CycleInt", 1, "1", "", 0);
};

TEST_F(CycleTable, WalksInRingOrderFromThePointer) {
  FillSlots(5);
  PointAt(kBase + 3 * kSlot, ~(kBase + 3 * kSlot));
  ASSERT_TRUE(Run({kTemplateLine, kLine1, Head(1, 4, 5), slot_id_}));
  EXPECT_EQ(ColumnA(), (std::vector{T("4"), T("5"), T("1"), T("2"), T("3")}));
  EXPECT_EQ(host_.sheet.calls()[3], "WriteRange A10:C14 block 6x2");
}

TEST_F(CycleTable, InvalidSlotsGiveNoRowAndLeaveNoGap) {
  FillSlots(5, {4});
  PointAt(kBase + 3 * kSlot, ~(kBase + 3 * kSlot));
  ASSERT_TRUE(Run({kTemplateLine, kLine1, Head(1, 4, 5), slot_id_}));
  EXPECT_EQ(ColumnA(), (std::vector{T("4"), T("1"), T("2"), T("3"), Empty()}));
}

TEST_F(CycleTable, PointersThatAreNotValidOrPointOutsideStartAtSlotZero) {
  FillSlots(5);
  const auto first_row = [&](std::uint16_t p, std::uint16_t c, int width) {
    PointAt(p, c);
    EXPECT_TRUE(Run({kTemplateLine, kLine1, Head(1, width, 5), slot_id_}));
    return Cell(1, "A10");
  };
  EXPECT_EQ(first_row(0x1234, 0xEDCB, 4), T("1")) << "valid, but below the table";
  EXPECT_EQ(first_row(kBase + 2 * kSlot, kBase + 2 * kSlot, 4), T("1")) << "check word wrong";
  EXPECT_EQ(first_row(kBase + 2 * kSlot, ~(kBase + 2 * kSlot), 6), T("1")) << "no pointer";
  EXPECT_EQ(first_row(kBase + 5 * kSlot, ~(kBase + 5 * kSlot), 4), T("1")) << "past the table";
  EXPECT_EQ(first_row(kBase + 2 * kSlot + 5, ~(kBase + 2 * kSlot + 5), 4), T("3"))
      << "inside a slot";
}

TEST_F(CycleTable, EightBytePointer) {
  FillSlots(5);
  const std::uint32_t p = kBase + kSlot;
  Poke(kPointerAt, {static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(p >> 8), 0, 0,
                    static_cast<std::uint8_t>(~p), static_cast<std::uint8_t>(~p >> 8), 0xFF, 0xFF});
  ASSERT_TRUE(Run({kTemplateLine, kLine1, Head(1, 8, 5), slot_id_}));
  EXPECT_EQ(Cell(1, "A10"), T("2"));
}

struct ColumnCase {
  const char* name;
  std::vector<std::uint8_t> slot;  // bytes 0..6; byte 7 is the check byte
  std::string column;
  CellContent expected;
};

class CycleColumns : public CycleTable, public ::testing::WithParamInterface<ColumnCase> {};

TEST_P(CycleColumns, RenderTheValue) {
  PokeSlot(kBase, GetParam().slot, kSlot);
  ASSERT_TRUE(Run({kTemplateLine, kLine1, Head(1, 0, 1), GetParam().column}));
  EXPECT_EQ(Cell(1, "A10"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CycleColumns,
    ::testing::Values(
        ColumnCase{"IntTwoBytesNotSignExtended",
                   {0xFF, 0xFF},
                   Column(0, "CycleInt", 2, "0.1", "", 0),
                   T("6553,5")},
        ColumnCase{"IntFourBytesSigned",
                   {0xFF, 0xFF, 0xFF, 0xFF},
                   Column(0, "CycleInt", 4, "0,1", "", 0),
                   T("-0,1")},
        ColumnCase{
            "IntCountLimitedToFour", {1, 0, 0, 0, 9}, Column(0, "CycleInt", 7, "1", "", 0), T("1")},
        ColumnCase{"IntAtAnOffset", {0, 0, 25}, Column(2, "CycleInt", 1, "0.5", "", 0), T("12,5")},
        ColumnCase{"BinSetBitShowsItsText", {0x04}, Column(0, "CycleBin", 1, "3", "1", 0), T("1")},
        ColumnCase{"BinClearBitForTextOne", {0x03}, Column(0, "CycleBin", 1, "3", "1", 0), T("")},
        ColumnCase{"BinClearBitForTextZero", {0x03}, Column(0, "CycleBin", 1, "3", "0", 0), T("0")},
        ColumnCase{"BinSetBitForTextZero", {0x04}, Column(0, "CycleBin", 1, "3", "0", 0), T("")},
        ColumnCase{
            "BinNumberOutsideTheByte", {0xFF}, Column(0, "CycleBin", 1, "9", "0", 0), T("0")},
        ColumnCase{"DateOnlyWithThreeBytes",
                   {0x15, 0x03, 0x09, 0x05, 0x22, 0x14},
                   Column(0, "CycleDataTime", 3, "0", "", 0),
                   T("15.03.09")},
        ColumnCase{"DateAndTimeWithSixBytes",
                   {0x15, 0x03, 0x09, 0x05, 0x22, 0x14},
                   Column(0, "CycleDataTime", 6, "0", "", 0),
                   T("15.03.09 14:22:05")},
        ColumnCase{"OtherKindIsEmptyText", {0x15}, Column(0, "Cycle", 1, "0", "", 0), T("")},
        ColumnCase{"OutputColumnM", {7}, Column(0, "CycleInt", 1, "1", "", 1), Empty()}),
    [](const auto& info) { return info.param.name; });

TEST_F(CycleTable, LaterColumnLinesWinAndTheWalkGoesOnAfterTheColumns) {
  PokeSlot(kBase, {5}, kSlot);
  Poke(0, {3});
  ASSERT_TRUE(
      Run({kTemplateLine, kLine1, Head(3, 0, 1), slot_id_, Column(0, "CycleInt", 1, "2", "", 1),
           Column(0, "Other", 1, "1", "", 0), Scalar("Int", 0, 0, 1, "1", "Z1")}));
  EXPECT_EQ(Cell(1, "A10"), T(""));
  EXPECT_EQ(Cell(1, "B10"), T("10"));
  EXPECT_EQ(Cell(1, "Z1"), T("3"));
}

TEST_F(CycleTable, NoColumnsWritesAnEmptyBlockAndMovesOneLine) {
  Poke(0, {3});
  ASSERT_TRUE(Run({kTemplateLine, kLine1, Head(0, 0, 2), Scalar("Int", 0, 0, 1, "1", "Z1")}));
  EXPECT_EQ(host_.sheet.calls()[3], "WriteRange A10:C14 block 3x1");
  EXPECT_EQ(Cell(1, "Z1"), T("3"));
}

TEST_F(CycleTable, OversizedSlotAndChecksumEndReadOnly32Bytes) {
  std::vector<std::uint8_t> slot(32, 0);
  slot[0] = 9;
  PokeSlot(kBase, slot, 32);  // bytes 0..31 sum to 0xFF
  ASSERT_TRUE(Run({kTemplateLine, kLine1, Head(1, 0, 1, "40", "40"), slot_id_}));
  EXPECT_EQ(Cell(1, "A10"), T("9"));
}

// Only the reading stops at 32 bytes: the slots still lie 40 bytes apart.
TEST_F(CycleTable, OversizedSlotsKeepTheirOwnSpacing) {
  for (std::uint8_t k = 0; k < 2; ++k) {
    std::vector<std::uint8_t> slot(32, 0);
    slot[0] = static_cast<std::uint8_t>(7 + k);
    PokeSlot(kBase + 40 * k, slot, 32);
  }
  ASSERT_TRUE(Run({kTemplateLine, kLine1, Head(1, 0, 2, "40", "31"), slot_id_}));
  EXPECT_EQ(Cell(1, "A10"), T("7"));
  EXPECT_EQ(Cell(1, "A11"), T("8"));
}

}  // namespace
}  // namespace tavrix::report::testing
