#include "data/passport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "core/error.h"
#include "data/dump.h"
#include "support/files.h"
#include "support/temp_dir.h"

namespace tavrix {
namespace {

using testing::Slurp;
using testing::Spit;
using testing::TempDir;

std::vector<std::uint8_t> PatternDump() {
  std::vector<std::uint8_t> dump(kDumpSize);
  for (std::size_t i = 0; i < dump.size(); ++i) dump[i] = static_cast<std::uint8_t>(i * 7 + 1);
  return dump;
}

HeaderValueList FullList() {
  HeaderValueList list;
  for (std::size_t k = 0; k < kPassportEntries; ++k) {
    list[k] = Utf8ToCp1251("Ё№") + std::to_string(k);  // fits the 5-byte fields too
  }
  return list;
}

std::string FieldBytes(const std::vector<std::uint8_t>& file, std::size_t k) {
  const PassportField f = kPassportFields[k];
  return std::string(file.begin() + f.offset, file.begin() + f.offset + f.width);
}

TEST(Passport, FieldsFollowEachOtherToTheEndOfTheFile) {
  std::size_t offset = kPassportOffset;
  for (const PassportField& f : kPassportFields) {
    EXPECT_EQ(f.offset, offset);
    offset += f.width;
  }
  EXPECT_EQ(offset, kDataFileSize);
  EXPECT_EQ(kPassportFields[10].offset, 0x420ABu);
  EXPECT_EQ(kPassportFields[16].offset, 0x422C7u);
}

TEST(Passport, DataFileIsDumpZeroByteAndPaddedFields) {
  const auto dump = PatternDump();
  HeaderValueList list;
  list[0] = Utf8ToCp1251("ЗУЛ-52Д");
  list[7] = "";
  const auto file = BuildDataFile(dump, list);
  ASSERT_EQ(file.size(), kDataFileSize);
  EXPECT_TRUE(std::equal(dump.begin(), dump.end(), file.begin()));
  EXPECT_EQ(file[kDumpSize], 0);
  EXPECT_EQ(FieldBytes(file, 0), Utf8ToCp1251("ЗУЛ-52Д") + std::string(13, '\0'));
  EXPECT_EQ(FieldBytes(file, 7), std::string(20, '\0'));
}

// Texts up to the field's width are kept whole (one exactly as wide has no terminating zero);
// longer ones are cut to the width.
TEST(Passport, FieldWidthsTruncateAndReadBack) {
  struct Case {
    std::size_t entry;
    std::size_t length;
    std::size_t stored;
  } cases[] = {{3, 19, 19},    {3, 20, 20}, {3, 21, 20}, {10, 149, 149}, {10, 150, 150},
               {10, 151, 150}, {8, 5, 5},   {8, 6, 5},   {13, 50, 50},   {13, 60, 50}};
  TempDir dir;
  for (const Case& c : cases) {
    HeaderValueList list;
    list[c.entry] = std::string(c.length, '\xC6');  // Ж
    WriteDataFile(dir / "f.rpk", PatternDump(), list);
    const auto file = Slurp(dir / "f.rpk");
    const std::string field = FieldBytes(file, c.entry);
    EXPECT_EQ(field.find('\0') == std::string::npos ? field.size() : field.find('\0'), c.stored);
    HeaderValueList back;
    ReadPassport(dir / "f.rpk", 0, 16, back);
    EXPECT_EQ(back[c.entry], std::string(c.stored, '\xC6')) << c.entry << "/" << c.length;
    EXPECT_EQ(back[c.entry + 1], "");  // the next field is untouched by a full one
  }
}

TEST(Passport, CyrillicTextsReadBackIdentical) {
  TempDir dir;
  const HeaderValueList list = FullList();
  WriteDataFile(dir / "f.rpk", PatternDump(), list);
  HeaderValueList back;
  ReadPassport(dir / "f.rpk", 0, 16, back);
  EXPECT_EQ(back, list);
}

TEST(Passport, ReadingEntries1To15LeavesTheOthersAlone) {
  TempDir dir;
  WriteDataFile(dir / "f.rpk", PatternDump(), FullList());
  HeaderValueList list;
  list[0] = "model";
  list[16] = "time";
  ReadPassport(dir / "f.rpk", 1, 15, list);
  EXPECT_EQ(list[0], "model");
  EXPECT_EQ(list[16], "time");
  EXPECT_EQ(list[15], FullList()[15]);
}

TEST(Passport, FieldsPastTheEndOfAShortFileAreEmpty) {
  TempDir dir;
  auto file = BuildDataFile(PatternDump(), FullList());
  file.resize(kPassportFields[10].offset + 3);  // three bytes into field 10
  Spit(dir / "short.rpk", file);
  HeaderValueList list = FullList();
  ReadPassport(dir / "short.rpk", 0, 16, list);
  EXPECT_EQ(list[9], FullList()[9]);
  EXPECT_EQ(list[10], FullList()[10].substr(0, 3));
  EXPECT_EQ(list[11], "");
  EXPECT_EQ(list[16], "");
}

TEST(Passport, UnreadableDataFileIsAnError) {
  TempDir dir;
  HeaderValueList list;
  EXPECT_THROW(ReadPassport(dir / "gone.rpk", 0, 16, list), Error);
  EXPECT_THROW(ReadPassport(dir.path(), 0, 16, list), Error);
}

}  // namespace
}  // namespace tavrix
