#include "report/scalar_writers.h"

#include <bit>

#include "report/report_fixture.h"

namespace tavrix::report::testing {
namespace {

constexpr int kAt = 100, kCopyAt = 200;

struct ScalarCase {
  const char* name;
  std::vector<std::uint8_t> value;  // at kAt
  std::vector<std::uint8_t> copy;   // at kCopyAt
  const char* model;
  std::string line;
  CellContent expected;  // in A1 of worksheet 1
  char separator = ',';
};

class ScalarWriters : public ReportTest, public ::testing::WithParamInterface<ScalarCase> {};

TEST_P(ScalarWriters, RenderTheValue) {
  const ScalarCase& c = GetParam();
  Poke(kAt, c.value);
  Poke(kCopyAt, c.copy);
  host_.model = Utf8ToCp1251(c.model);
  host_.separator = c.separator;
  ASSERT_TRUE(Run({kTemplateLine, kLine1, c.line})) << host_.failures.front();
  EXPECT_EQ(Cell(1, "A1"), c.expected);
}

const std::vector<std::uint8_t> kFF = {0xFF, 0xFF};
const std::vector<std::uint8_t> kOne = {1};

INSTANTIATE_TEST_SUITE_P(
    Cases, ScalarWriters,
    ::testing::Values(ScalarCase{"IntOfTwoBytesIsUnsigned",
                                 kFF,
                                 {},
                                 "ЗУЛ-52А",
                                 Scalar("Int", kAt, 0, 2, "1", "A1"),
                                 T("65535")},
                      ScalarCase{"ShortIntTakesTheLargerCopy", kFF, kOne, "ЗУЛ-52А",
                                 Scalar("ShortInt", kAt, kCopyAt, 2, "1", "A1"), T("1")},
                      ScalarCase{"ShortIntAlone", kFF, kOne, "ЗУЛ-52А",
                                 Scalar("ShortInt", kAt, 0, 2, "1", "A1"), T("-1")},
                      ScalarCase{"UShortIntTakesTheLargerCopy", kFF, kOne, "ЗУЛ-52А",
                                 Scalar("UShortInt", kAt, kCopyAt, 2, "1", "A1"), T("65535")},
                      ScalarCase{"IntTextWithPrefixAndSuffix",
                                 {12},
                                 {},
                                 "ЗУЛ-52А",
                                 Scalar("Int", kAt, 0, 4, "1", "A1", "Масса ", "", " т"),
                                 T("Масса 12 т")},
                      ScalarCase{"IntScaledIsASingle",
                                 {12},
                                 {},
                                 "ЗУЛ-52А",
                                 Scalar("Int", kAt, 0, 4, "0.1", "A1", "p"),
                                 Number(static_cast<float>(0.1 * 12))},
                      ScalarCase{"IntScaleWithComma",
                                 {12},
                                 {},
                                 "ЗУЛ-52А",
                                 Scalar("Int", kAt, 0, 4, "0,5", "A1"),
                                 Number(6)},
                      ScalarCase{"IntScaleOneWrittenAsDecimal",
                                 {12},
                                 {},
                                 "ЗУЛ-52А",
                                 Scalar("Int", kAt, 0, 4, "1.0", "A1"),
                                 Number(12)},
                      ScalarCase{"IntCopyZeroMeansNone",
                                 {12},
                                 {},
                                 "ЗУЛ-52А",
                                 Scalar("Int", kAt, 0, 4, "1", "A1"),
                                 T("12")},
                      ScalarCase{"IntNegativeWithCopy",
                                 {0xFE, 0xFF, 0xFF, 0xFF},
                                 {0xFD, 0xFF, 0xFF, 0xFF},
                                 "ЗУЛ-52А",
                                 Scalar("Int", kAt, kCopyAt, 4, "1", "A1"),
                                 T("-2")},
                      ScalarCase{"ByteCountLimitedToTheBuffer",
                                 {1, 0, 0, 0, 1},
                                 {},
                                 "ЗУЛ-52А",
                                 Scalar("Int", kAt, 0, 9, "1", "A1"),
                                 T("1")},
                      ScalarCase{"NegativeByteCountReadsNothing",
                                 {5},
                                 {},
                                 "ЗУЛ-52А",
                                 Scalar("Int", kAt, 0, -3, "1", "A1"),
                                 T("0")},
                      ScalarCase{"NegativeOffsetReadsZeros",
                                 {},
                                 {},
                                 "ЗУЛ-52А",
                                 Scalar("Int", -4, 0, 4, "1", "A1"),
                                 T("0")},
                      ScalarCase{"CharUpToTheFirstZero",
                                 {0x41, 0x42, 0x00, 0x43},
                                 {},
                                 "ЗУЛ-52А",
                                 Scalar("Char", kAt, 0, 4, "", "A1", "[", "", "]"),
                                 T("[AB]")},
                      ScalarCase{"CharOfAllFiftyBytesStopsAt49",
                                 std::vector<std::uint8_t>(60, 0x41),
                                 {},
                                 "ЗУЛ-52А",
                                 Scalar("Char", kAt, 0, 50, "", "A1"),
                                 T(std::string(49, 'A'))},
                      ScalarCase{"HexLastByteFirst",
                                 {1, 2, 3},
                                 {},
                                 "ЗУЛ-52А",
                                 Scalar("Hex", kAt, 0, 3, "", "A1"),
                                 T("030201")},
                      ScalarCase{"HexWithSeparator",
                                 {0x34, 0x12},
                                 {},
                                 "ЗУЛ-52А",
                                 Scalar("Hex", kAt, 0, 2, "", "A1", "", "."),
                                 T("12.34.")},
                      ScalarCase{"UCharWithSeparator",
                                 {0x34, 0x12},
                                 {},
                                 "ЗУЛ-52А",
                                 Scalar("UChar", kAt, 0, 2, "", "A1", "<", ".", ">"),
                                 T("<18.52.>")},
                      ScalarCase{"TimeInMinutes",
                                 {2},
                                 {},
                                 "ЗУЛ-52А",
                                 Scalar("Time", kAt, 0, 4, "60", "A1"),
                                 T("0:02:00")},
                      ScalarCase{"TimeHoursUnpadded",
                                 {0x8D, 0x0E},
                                 {},
                                 "ЗУЛ-52А",
                                 Scalar("Time", kAt, 0, 4, "1", "A1"),
                                 T("1:02:05")},
                      ScalarCase{"TimeOfAHundredHoursFromTheLargerCopy",
                                 {0x40, 0x7E, 0x05},
                                 {5},
                                 "ЗУЛ-52А",
                                 Scalar("Time", kAt, kCopyAt, 4, "1", "A1"),
                                 T("100:00:00")},
                      ScalarCase{"DataOfFourBytes52A",
                                 {0x03, 0x15, 0x09, 0x20},
                                 {},
                                 "ЗУЛ-52А",
                                 Scalar("Data", kAt, 0, 4, "", "A1"),
                                 T("15.03.2009")},
                      ScalarCase{"DataOfThreeBytes52A",
                                 {0x03, 0x15, 0x09, 0x20},
                                 {},
                                 "нет",
                                 Scalar("Data", kAt, 0, 3, "", "A1"),
                                 T("15.03.09")},
                      ScalarCase{"Data52D",
                                 {0x03, 0x15, 0x09, 0x20},
                                 {},
                                 "ЗУЛ-52Д",
                                 Scalar("Data", kAt, 0, 4, "", "A1"),
                                 T("03.15.09")},
                      ScalarCase{"Data52N",
                                 {0x03, 0x15, 0x09},
                                 {},
                                 "ЗУЛ-52Н",
                                 Scalar("Data", kAt, 0, 3, "", "A1", "с "),
                                 T("с 03.15.09")},
                      ScalarCase{"Data38Packed",
                                 {0x30, 0x14, 0x25, 0x12, 0x09},
                                 {},
                                 "ЗУЛ-38",
                                 Scalar("Data", kAt, 0, 5, "", "A1"),
                                 T("14:30 25.12.2009")},
                      ScalarCase{"Data38EmptyStampKeepsPrefixAndSuffix",
                                 {},
                                 {},
                                 "ЗУЛ-38",
                                 Scalar("Data", kAt, 0, 5, "", "A1", "(", "", ")"),
                                 T("()")},
                      ScalarCase{"FloatWithComma",
                                 {0xCD, 0xCC, 0xCC, 0x3D},
                                 {},
                                 "ЗУЛ-52А",
                                 Scalar("Float", kAt, 0, 4, "", "A1", "=", "", ";"),
                                 T("=0,100000001490116;")},
                      ScalarCase{"FloatWithPointAndLargerCopy",
                                 {0xCD, 0xCC, 0xCC, 0x3D},
                                 {0x00, 0x00, 0x20, 0x41},
                                 "ЗУЛ-52А",
                                 Scalar("Float", kAt, kCopyAt, 4, "", "A1"),
                                 T("10"),
                                 '.'},
                      ScalarCase{"FloatNaNCopyIsIgnored",
                                 {0x00, 0x00, 0xC0, 0x3F},
                                 {0x00, 0x00, 0xC0, 0x7F},
                                 "ЗУЛ-52А",
                                 Scalar("Float", kAt, kCopyAt, 4, "", "A1"),
                                 T("1.5"),
                                 '.'},
                      ScalarCase{"Float38FixedPointWithoutPrefix",
                                 {0x00, 0x80, 0x05, 0x00, 0x00},
                                 {},
                                 "ЗУЛ-38",
                                 Scalar("Float", kAt, 0, 5, "", "A1", "p", "", "s"),
                                 T("5,5")},
                      ScalarCase{"Float38UsesTheFifthByte",
                                 {0x00, 0x00, 0x00, 0x00, 0x01},
                                 {},
                                 "ЗУЛ-38",
                                 Scalar("Float", kAt, 0, 5, "", "A1"),
                                 T("65536")}),
    [](const auto& info) { return info.param.name; });

TEST_F(ReportTest, ScalarLinesAreSkippedWhenAFieldIsEmptyOrTheOffsetIsOutside) {
  data_.assign(50, 0);
  Poke(49, {7});
  ASSERT_TRUE(Run({kTemplateLine, kLine1,
                   Line({"x", "49", "0", "Int", "4", "1", "1", "A1", ""}),   // empty end corner
                   Line({"x", "49", "0", "Int", "4", "1", "", "A2", "A2"}),  // empty worksheet
                   Line({"x", "49", "0", "Int"}),                            // no range at all
                   Scalar("Int", 50, 0, 4, "1", "A3"),  // the offset is the file size
                   Scalar("Int", 49, 0, 4, "1", "A4")}))
      << host_.failures.front();
  EXPECT_EQ(Cell(1, "A1"), Empty());
  EXPECT_EQ(Cell(1, "A2"), Empty());
  EXPECT_EQ(Cell(1, "A3"), Empty());
  EXPECT_EQ(Cell(1, "A4"), T("7"));
}

TEST_F(ReportTest, AScalarFillsEveryCellOfItsRange) {
  Poke(0, {9});
  ASSERT_TRUE(
      Run({kTemplateLine, kLine1, Line({"x", "0", "0", "Int", "1", "2", "1", "C3", "B2"})}));
  EXPECT_EQ(Cell(1, "B2"), Number(18));
  EXPECT_EQ(Cell(1, "C3"), Number(18));
  EXPECT_EQ(Cell(1, "D3"), Empty());
}

}  // namespace
}  // namespace tavrix::report::testing
