#include "core/ini_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "core/error.h"
#include "support/fail_write.h"
#include "support/files.h"
#include "support/temp_dir.h"

namespace tavrix {
namespace {

std::string W(std::string_view utf8) { return Utf8ToCp1251(utf8); }

const std::string kProfile =
    W("; settings of Tavrix\r\n"
      "[Other]\r\n"
      "Вид списка файлов=0\r\n"
      "\r\n"
      "  [ НАСТРОЙКИ ]  \r\n"
      "  вид СПИСКА файлов  =   2  \r\n"
      "Рабочая директория=\"C:\\Краны\\2026\"\n"
      ";Включить подсказки=0\n"
      "Включить подсказки=0\n"
      "Вид списка файлов=3\n");

TEST(IniFile, NamesIgnoreCaseAndBlanksAndTheFirstMatchCounts) {
  const IniFile ini = IniFile::Parse(kProfile);
  EXPECT_EQ(ini.ReadInteger(W("Настройки"), W("Вид списка файлов"), 3), 2);
  EXPECT_EQ(ini.ReadString(W("настройки"), W("рабочая директория"), ""), W("C:\\Краны\\2026"));
  EXPECT_FALSE(ini.ReadBool(W("Настройки"), W("Включить подсказки"), true));
  EXPECT_EQ(ini.ReadInteger(W("Other"), W("Вид списка файлов"), 3), 0);
}

TEST(IniFile, DefaultsForWhatIsMissingOrNotANumber) {
  const IniFile ini = IniFile::Parse(W("[Настройки]\r\nВид списка файлов=x1\r\nПусто=\r\n"));
  EXPECT_EQ(ini.ReadInteger(W("Настройки"), W("Вид списка файлов"), 3), 3);
  EXPECT_EQ(ini.ReadString(W("Настройки"), W("Пусто"), "d"), "");
  EXPECT_EQ(ini.ReadString(W("Настройки"), W("Нет такого"), "d"), "d");
  EXPECT_EQ(ini.ReadString(W("Нет такой"), W("Пусто"), "d"), "d");
  EXPECT_TRUE(ini.ReadBool("x", "y", true));
  testing::TempDir dir;
  EXPECT_EQ(IniFile::Load(dir / "missing.ini").ReadInteger("a", "b", 7), 7);
}

TEST(IniFile, WritingAKeyKeepsEveryOtherLine) {
  IniFile ini = IniFile::Parse(kProfile);
  ini.WriteInteger(W("настройки"), W("ВИД СПИСКА ФАЙЛОВ"), 0);
  ini.WriteBool(W("Настройки"), W("Новый ключ"), true);
  ini.WriteString(W("Новая секция"), "k", "v");
  EXPECT_EQ(ini.Serialize(), W("; settings of Tavrix\r\n"
                               "[Other]\r\n"
                               "Вид списка файлов=0\r\n"
                               "\r\n"
                               "  [ НАСТРОЙКИ ]  \r\n"
                               "ВИД СПИСКА ФАЙЛОВ=0\r\n"
                               "Рабочая директория=\"C:\\Краны\\2026\"\r\n"
                               ";Включить подсказки=0\r\n"
                               "Включить подсказки=0\r\n"
                               "Вид списка файлов=3\r\n"
                               "Новый ключ=1\r\n"
                               "[Новая секция]\r\n"
                               "k=v\r\n"));
}

TEST(IniFile, ANewKeyGoesBeforeTheBlankLinesThatEndItsSection) {
  IniFile ini = IniFile::Parse("[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n");
  ini.WriteString("A", "z", "3");
  EXPECT_EQ(ini.Serialize(), "[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n");
}

TEST(IniFile, SavesAndLoadsCodePage1251Bytes) {
  testing::TempDir dir;
  IniFile ini;
  ini.WriteString(W("Настройки"), W("Рабочая директория"), W("/home/инженер/краны"));
  ini.Save(dir / "Tavrix.ini");
  const std::string bytes = ini.Serialize();
  EXPECT_EQ(testing::Slurp(dir / "Tavrix.ini"),
            std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  EXPECT_EQ(
      IniFile::Load(dir / "Tavrix.ini").ReadString(W("НАСТРОЙКИ"), W("рабочая директория"), ""),
      W("/home/инженер/краны"));
}

// Settings written at close into a full disk or a folder that has gone: the earlier Tavrix.ini
// stays byte for byte, and the reason names the file. (The reasons are POSIX's; Windows has
// its own failed replacements in tests/windows.)
#ifndef _WIN32
TEST(IniFile, AFailedSaveKeepsTheEarlierFileAndSaysWhy) {
  using ::testing::HasSubstr;
  testing::TempDir dir;
  const auto path = dir / "Tavrix.ini";
  testing::Spit(path, kProfile);
  IniFile ini = IniFile::Load(path);
  ini.WriteString(W("Настройки"), W("Рабочая директория"), "/media/" + std::string(2000, 'x'));

  EXPECT_THAT(testing::RunWithFileSizeLimit(1000, [&] { ini.Save(path); }),
              HasSubstr("Tavrix.ini»: File too large"));
  EXPECT_THAT([&] { ini.Save(dir / "gone" / "Tavrix.ini"); },
              ::testing::ThrowsMessage<Error>(HasSubstr("No such file or directory")));
  EXPECT_EQ(testing::Slurp(path), std::vector<std::uint8_t>(kProfile.begin(), kProfile.end()));
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"Tavrix.ini"});
}
#endif

}  // namespace
}  // namespace tavrix
