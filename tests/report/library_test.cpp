#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "core/error.h"
#include "core/file_io.h"
#include "report/cell_address.h"
#include "report/description_list.h"
#include "report/library_file.h"
#include "report/number_text.h"
#include "report/report_messages.h"
#include "report/unscramble.h"
#include "report/version_map.h"
#include "support/files.h"
#include "support/temp_dir.h"

namespace tavrix::report {
namespace {

using ::testing::ElementsAre;

TEST(Unscramble, ExemptBytesOnlyRotate) {
  EXPECT_EQ(UnscrambleByte(0xFF), 0xFF);
  EXPECT_EQ(UnscrambleByte(kScrambleKey), 0xAD);  // 0x6B rotated left by two
  EXPECT_EQ(UnscrambleByte(0x00), UnscrambleByte(kScrambleKey));
  EXPECT_EQ(UnscrambleByte(0x94), 0x52);
  EXPECT_EQ(UnscrambleByte(0x2B), 0x01);  // 0x2B ^ 0x6B = 0x40, rotated: 0x01
}

TEST(Unscramble, ScrambleIsItsInverseForEveryByteButZero) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  const auto scrambled = Scramble(all);
  EXPECT_EQ(Unscramble(scrambled), all);
  EXPECT_THROW(Scramble(std::string("ab\0c", 4)), Error);
}

TEST(DescriptionList, LinesEndAtCrLfCrOrLf) {
  EXPECT_THAT(SplitLines("a\r\nb\rc\nd"), ElementsAre("a", "b", "c", "d"));
  EXPECT_THAT(SplitLines("a\r\n\r\nb\n"), ElementsAre("a", "", "b"));
  EXPECT_THAT(SplitLines("\n\r"), ElementsAre("", ""));
  EXPECT_TRUE(SplitLines("").empty());
}

TEST(DescriptionList, FieldsSplitAtTabs) {
  EXPECT_TRUE(SplitFields("").empty());
  EXPECT_THAT(SplitFields("a\t\tb\t"), ElementsAre("a", "", "b", ""));
  EXPECT_THAT(SplitFields("\t"), ElementsAre("", ""));
}

TEST(NumberText, GeneralFormat) {
  EXPECT_EQ(FormatGeneral(static_cast<double>(0.1f), ','), "0,100000001490116");
  EXPECT_EQ(FormatGeneral(65535 * 0.1, ','), "6553,5");
  EXPECT_EQ(FormatGeneral(-5 * 0.1, '.'), "-0.5");
  EXPECT_EQ(FormatGeneral(1023 * 0.1, ','), "102,3");
  EXPECT_EQ(FormatGeneral(3, ','), "3");
  EXPECT_EQ(FormatGeneral(0.01, '.'), "0.01");
  EXPECT_EQ(FormatGeneral(-0.0, ','), "0");
  EXPECT_EQ(FormatGeneral(1e20, ','), "1E20");
  EXPECT_EQ(FormatGeneral(1.5e-7, ','), "1,5E-7");
  EXPECT_EQ(FormatGeneral(0.00005, ','), "0,00005") << "fixed down to 1E-5";
  EXPECT_EQ(FormatGeneral(-1.25e-5, '.'), "-0.0000125");
  EXPECT_EQ(FormatGeneral(5e-6, ','), "5E-6");
  EXPECT_EQ(FormatGeneral(123456789012345.0, ','), "123456789012345");
  EXPECT_EQ(FormatGeneral(0.0001, ','), "0,0001");
}

TEST(NumberText, LibraryNumbers) {
  EXPECT_EQ(ParseInteger(" -12 "), -12);
  EXPECT_EQ(ParseInteger("+7"), 7);
  EXPECT_EQ(ParseInteger("2147483648"), std::nullopt);
  EXPECT_EQ(ParseInteger("1.0"), std::nullopt);
  EXPECT_EQ(ParseInteger(""), std::nullopt);
  EXPECT_EQ(ParseDecimal("0.1"), 0.1);
  EXPECT_EQ(ParseDecimal("0,1"), 0.1);
  EXPECT_EQ(ParseDecimal("1E3"), 1000);
  EXPECT_EQ(ParseDecimal("1.2.3"), std::nullopt);
  EXPECT_EQ(ParseDecimal("nan"), std::nullopt);
}

TEST(CellAddress, ParsesWhatARangeTakes) {
  EXPECT_EQ(ParseCellAddress("AD12"), (CellAddress{12, 30}));
  EXPECT_EQ(ParseCellAddress("$b$5"), (CellAddress{5, 2}));
  EXPECT_EQ(ParseCellAddress("XFD1048576"), (CellAddress{1048576, 16384}));
  for (const char* bad : {"", "A", "5", "A0", "XFE1", "A1048577", "A1B", "A 1"})
    EXPECT_EQ(ParseCellAddress(bad), std::nullopt) << bad;
  EXPECT_EQ(FormatCellAddress({7299, 61}), "BI7299");
  const auto range = ParseCellRange("C3", "A5");
  ASSERT_TRUE(range);
  EXPECT_EQ(range->first, (CellAddress{3, 1}));
  EXPECT_EQ(range->last, (CellAddress{5, 3}));
}

TEST(VersionMap, LooksUpModelAndVersion) {
  const IniFile map = IniFile::Parse(
      Utf8ToCp1251("[ЗУЛ-52Н]\r\n33=rp52N-33.dll\r\n4=нет\r\n[зул-38]\r\n1.0=lib\\rp38.dll\r\n"));
  EXPECT_EQ(LibraryFromVersionMap(map, Utf8ToCp1251("ЗУЛ-52Н"), "33"), "rp52N-33.dll");
  EXPECT_EQ(LibraryFromVersionMap(map, Utf8ToCp1251("ЗУЛ-52Н"), "4"), std::nullopt);
  EXPECT_EQ(LibraryFromVersionMap(map, Utf8ToCp1251("ЗУЛ-52Н"), "5"), std::nullopt);
  EXPECT_EQ(LibraryFromVersionMap(map, Utf8ToCp1251("ЗУЛ-38"), "1.0"), "lib\\rp38.dll");
  testing::TempDir dir;
  EXPECT_EQ(LibraryFromVersionMap(dir.path(), Utf8ToCp1251("ЗУЛ-38"), "1.0"), std::nullopt);
}

TEST(VersionMap, FallbackTable) {
  EXPECT_EQ(FallbackLibrary(Utf8ToCp1251("ЗУЛ-52А")), "rp52A.dll");
  EXPECT_EQ(FallbackLibrary(Utf8ToCp1251("ЗУЛ-52Д")), "rp52D.dll");
  EXPECT_EQ(FallbackLibrary(Utf8ToCp1251("ЗУЛ-52Н")), "rp52N.dll");
  EXPECT_EQ(FallbackLibrary(Utf8ToCp1251("ЗУЛ-38")), "rp38.dll");
  EXPECT_EQ(FallbackLibrary(Utf8ToCp1251("зул-38")), std::nullopt);
  EXPECT_EQ(FallbackLibrary(Utf8ToCp1251("нет")), std::nullopt);
}

TEST(LibraryFile, ReadsTheWholeFileUpToItsLimit) {
  testing::TempDir dir;
  std::string text;
  while (text.size() < 20000) text += "line\tof\tfields\r\n";
  text += "last";
  testing::Spit(dir / "big.dll", Scramble(text));
  const DescriptionList lines = ReadReportLibrary(dir / "big.dll");
  EXPECT_EQ(lines.size(), 1251u);
  EXPECT_EQ(lines.back(), "last");
  testing::Spit(dir / "empty.dll", std::string());
  EXPECT_TRUE(ReadReportLibrary(dir / "empty.dll").empty());
  EXPECT_THROW(ReadReportLibrary(dir / "missing.dll"), Error);
}

TEST(LibraryFile, AFileAboveTheLimitIsRefusedWithAMessage) {
  testing::TempDir dir;
  testing::Spit(dir / "limit.dll", Scramble("template\tr.xlsx\r\n"));
  std::filesystem::resize_file(dir / "limit.dll", kMaxLibraryBytes);
  EXPECT_EQ(ReadReportLibrary(dir / "limit.dll").front(), "template\tr.xlsx");
  std::filesystem::resize_file(dir / "limit.dll", kMaxLibraryBytes + 1);
  EXPECT_THAT(
      [&] { ReadReportLibrary(dir / "limit.dll"); },
      ::testing::ThrowsMessage<Error>(LibraryTooLargeMessage(PathToUtf8(dir / "limit.dll"))));
}

TEST(LibraryFile, ProgramFilesAreRelativeToTheProgramDirectory) {
  EXPECT_EQ(ProgramFile("/opt/tavrix", "lib\\rp38.dll"), "/opt/tavrix/lib/rp38.dll");
  EXPECT_EQ(ProgramFile("/opt/tavrix", "\\rp38.dll"), "/opt/tavrix/rp38.dll");
  EXPECT_EQ(ProgramFile("/opt/tavrix", Utf8ToCp1251("шаблон.xlsx")),
            PathFromUtf8("/opt/tavrix/шаблон.xlsx"));
}

}  // namespace
}  // namespace tavrix::report
