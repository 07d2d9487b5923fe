#include "data/header_decoder.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "core/cp1251.h"
#include "data/dump.h"
#include "data/header_layout.h"

namespace tavrix {
namespace {

// A zero dump with the given bytes at absolute offsets.
struct Bytes {
  std::uint32_t offset;
  std::initializer_list<std::uint8_t> values;
};
std::vector<std::uint8_t> DumpWith(std::initializer_list<Bytes> pokes) {
  std::vector<std::uint8_t> dump(kDumpSize, 0);
  for (const Bytes& p : pokes) std::copy(p.values.begin(), p.values.end(), dump.begin() + p.offset);
  return dump;
}

HeaderValueList Decode(Model m, const std::vector<std::uint8_t>& dump,
                       LocalDateTime now = {2026, 12, 9, 12, 0, 0}) {
  HeaderValueList list;
  list[16] = "16.11.2026 10:00";
  SelectModel(m, ByteView(dump), FixedClock(now), list);
  return list;
}

std::string W(std::string_view utf8) { return Utf8ToCp1251(utf8); }

TEST(HeaderDecoder, Model52A) {
  const auto list = Decode(Model::k52A, DumpWith({{0, {0x78, 0x56, 0x34, 0x12}},
                                                  {6, {0x98, 0x19, 5}},
                                                  {14, {0x67, 0x45, 0x23, 0x01, 0x12, 0x05, 0x09}},
                                                  {24, {203}}}));
  const HeaderValueList expected = {W("ЗУЛ-52А"),
                                    "203",
                                    W("ЗУЛ-52А"),
                                    "01234567",
                                    "05.12.2009",
                                    "",
                                    "12345678",
                                    "",
                                    "1998",
                                    "A5",
                                    "",
                                    "",
                                    "",
                                    "",
                                    "",
                                    "",
                                    "16.11.2026 10:00"};
  EXPECT_EQ(list, expected);
}

TEST(HeaderDecoder, NonBcdBytesShowTheirHexDigits) {
  const auto list = Decode(Model::k52A, DumpWith({{0, {0x1A, 0xFF}}, {18, {0x1A, 0xB0, 0xC5}}}));
  EXPECT_EQ(list[6], "0000FF1A");
  EXPECT_EQ(list[4], "B0.1A.20C5");
}

TEST(HeaderDecoder, Model52D) {
  // КС-А0 with the device's own byte for Б (0xA0) and П (0xA8), then a zero.
  const auto list =
      Decode(Model::k52D, DumpWith({{0, {0xFF, 0xFF, 0xD5, 0x07, 7, 0, 3}},
                                    {7, {0xCA, 0xD1, '-', 0xA0, 0xA8, 0xB8, 0}},
                                    {20, {'9', '8', '7', '6', '5', '4', '3', '2', '1'}},
                                    {29, {'X'}},
                                    {31, {0x31, 0x12, 0x19}}}));
  EXPECT_EQ(list[1], "7");
  EXPECT_EQ(list[2], W("ЗУЛ-52Д"));
  EXPECT_EQ(list[3], "987654321");  // text 9 without a zero: the byte after it is not read
  EXPECT_EQ(list[4], "31.12.2019");
  EXPECT_EQ(list[5], W("КС-БПё"));
  EXPECT_EQ(list[6], "-1");
  EXPECT_EQ(list[8], "2005");
  EXPECT_EQ(list[9], "A3");
}

TEST(HeaderDecoder, Model52DTextFillsAll13Bytes) {
  const auto list = Decode(
      Model::k52D,
      DumpWith({{7, {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', '9'}}}));
  EXPECT_EQ(list[5], "ABCDEFGHIJKLM");
}

TEST(HeaderDecoder, Model52N) {
  const std::uint32_t b = kBase52N;
  const auto list =
      Decode(Model::k52N, DumpWith({{b, {'N', '0', '0', '4', '2', 0}},
                                    {b + 8, {12}},
                                    {b + 12, {4}},
                                    {b + 94, {0x00, 0x80, 0xFF, 0xFF, 6}},
                                    {b + 99, {0xCA, 0xD1, '-', '6', '4', '7', '6', 0}},
                                    {b + 114, {0x01, 0x02, 0x03}},
                                    {b + 117, {0xC3, 0xE0, 0xEB, 0xE8, 0xF7}}}));
  EXPECT_EQ(list[1], "4");
  EXPECT_EQ(list[2], "\xC7\xD3\xCB-52N-12");  // ЗУЛ-52N-12 with the Latin N
  EXPECT_EQ(list[3], "N0042");
  EXPECT_EQ(list[4], "01.02.2003");
  EXPECT_EQ(list[5], W("КС-6476"));
  EXPECT_EQ(list[6], "-32768");
  EXPECT_EQ(list[8], "-1");
  EXPECT_EQ(list[9], "A6");
  EXPECT_EQ(list[10], W("Галич"));
}

TEST(HeaderDecoder, Model52NVariantMark) {
  for (const auto& [variant, mark] : {std::pair<std::uint8_t, const char*>{5, "ЗУЛ-52N-05"},
                                      {12, "ЗУЛ-52N-12"},
                                      {0, "ЗУЛ-52N-00"},
                                      {9, "ЗУЛ-52N-09"},
                                      {10, "ЗУЛ-52N-10"},
                                      {255, "ЗУЛ-52N-255"}}) {
    EXPECT_EQ(Decode(Model::k52N, DumpWith({{kBase52N + 8, {variant}}}))[2], W(mark));
  }
}

TEST(HeaderDecoder, Model38CenturyRule) {
  struct Case {
    const char* name;
    std::uint8_t month, day, year;
    const char* expected;
  } cases[] = {
      {"later than today: 19", 0x12, 0x31, 0x99, "31.12.1999"},
      {"earlier than today: 20", 0x05, 0x17, 0x24, "17.05.2024"},
      {"today is not later", 0x12, 0x09, 0x26, "09.12.2026"},
      {"tomorrow is later", 0x12, 0x10, 0x26, "10.12.1926"},
      {"month 0x00 unchecked", 0x00, 0x31, 0x99, "31.00.2099"},
      {"day 0x32 unchecked", 0x12, 0x32, 0x99, "32.12.2099"},
      {"day 0x1F in range but no date", 0x12, 0x1F, 0x99, "1F.12.2099"},
      {"31 February is no date", 0x02, 0x31, 0x99, "31.02.2099"},
      {"29 February of a leap year", 0x02, 0x29, 0x28, "29.02.1928"},
      {"29 February outside a leap year", 0x02, 0x29, 0x27, "29.02.2027"},
      {"non-BCD year", 0x01, 0x01, 0xA5, "01.01.20A5"},
  };
  for (const Case& c : cases) {
    const auto list = Decode(Model::k38, DumpWith({{kBase38, {c.month, c.day, c.year}}}));
    EXPECT_EQ(list[4], c.expected) << c.name;
    EXPECT_EQ(list[1], "1.0");
    EXPECT_EQ(list[2], W("ЗУЛ-38-"));
  }
}

TEST(HeaderDecoder, SelectingAModelReplacesEntries0To15AndKeepsTheReadoutTime) {
  HeaderValueList list;
  for (auto& e : list) e = "typed";
  SelectModel(Model::k38, ByteView(DumpWith({})), FixedClock({}), list);
  EXPECT_EQ(list[0], W("ЗУЛ-38"));
  EXPECT_EQ(list[5], "");
  EXPECT_EQ(list[15], "");
  EXPECT_EQ(list[16], "typed");
}

TEST(HeaderDecoder, NoModelLeavesTheOtherEntries) {
  HeaderValueList list;
  list[5] = "typed";
  EXPECT_EQ(DetectAndDecode(ByteView(DumpWith({})), FixedClock({}), list), std::nullopt);
  EXPECT_EQ(list[0], W("нет"));
  EXPECT_EQ(list[5], "typed");
}

}  // namespace
}  // namespace tavrix
