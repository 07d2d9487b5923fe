#include "data/save_rules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/error.h"
#include "data/dump.h"
#ifndef _WIN32
#include "support/fail_write.h"
#endif
#include "support/files.h"
#include "support/temp_dir.h"

namespace tavrix {
namespace {

using testing::Slurp;
using testing::Spit;
using testing::TempDir;

TEST(SaveRules, EachForbiddenCharacterIsListedOnceInTestOrder) {
  struct Case {
    const char* name;
    const char* listed;
  } cases[] = {
      {"КС-45717 №12 01.02.2026", ""},
      {"a*b?c", "\"*\" \"?\" "},
      {"?a*", "\"*\" \"?\" "},
      {"C:x", "\":\" "},
      {"|\"><?*:/\\", "\"\\\" \"/\" \":\" \"*\" \"?\" \"<\" \">\" \"\"\" \"|\" "},
      {"a//b/c", "\"/\" "},
  };
  for (const Case& c : cases) EXPECT_EQ(OffendingCharacters(c.name), c.listed) << c.name;
}

TEST(SaveRules, ForbiddenCharacterMessage) {
  EXPECT_EQ(ForbiddenCharactersMessage("ok name"), "");
  EXPECT_EQ(ForbiddenCharactersMessage("a?b*"),
            "Вы использовали в имени файла следующие недопустимые символы: \"*\" \"?\" "
            ".\r\n\r\nДля корректировки имени файла нажмите \"Продолжить\".\r\n\r\n"
            "Для выхода без сохранения данных назмите \"Выход\".");
}

TEST(SaveRules, TargetGetsRpkUnlessTheNameEndsInExactlyRpk) {
  struct Case {
    const char* name;
    const char* file;
  } cases[] = {
      {"crane.rpk", "crane.rpk"},     {"crane", "crane.rpk"}, {"crane.RPK", "crane.RPK.rpk"},
      {"crane.txt", "crane.txt.rpk"}, {"", ".rpk"},           {".rpk", ".rpk"},
      {"a.rpk.bak", "a.rpk.bak.rpk"}, {"a.b.rpk", "a.b.rpk"}, {"crane.rpk ", "crane.rpk .rpk"}};
  for (const Case& c : cases) {
    EXPECT_EQ(DataFileTarget("/work", c.name), std::filesystem::path("/work") / c.file) << c.name;
  }
}

class SaveDataFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dump_.resize(kDumpSize);
    for (std::size_t i = 0; i < dump_.size(); ++i) dump_[i] = static_cast<std::uint8_t>(i % 251);
    Spit(dir_ / "default.tmp", dump_);
    list_[0] = "\xED\xE5\xF2";  // нет
  }
  TempDir dir_;
  std::vector<std::uint8_t> dump_;
  HeaderValueList list_;
};

TEST_F(SaveDataFileTest, WritesDumpAndPassport) {
  SaveDataFile(dir_ / "default.tmp", dir_ / "a.rpk", list_);
  const auto file = Slurp(dir_ / "a.rpk");
  ASSERT_EQ(file.size(), kDataFileSize);
  EXPECT_TRUE(std::equal(dump_.begin(), dump_.end(), file.begin()));
  EXPECT_EQ(file[kDumpSize], 0);
  EXPECT_EQ(file[kPassportOffset], 0xED);  // entry 0 as it was, "нет" included
}

TEST_F(SaveDataFileTest, AShortDumpIsPaddedWithZeros) {
  Spit(dir_ / "default.tmp", std::vector<std::uint8_t>(1000, 7));
  SaveDataFile(dir_ / "default.tmp", dir_ / "a.rpk", list_);
  const auto file = Slurp(dir_ / "a.rpk");
  ASSERT_EQ(file.size(), kDataFileSize);
  EXPECT_EQ(file[999], 7);
  EXPECT_EQ(file[1000], 0);
}

TEST_F(SaveDataFileTest, FailuresWriteNothingAndKeepTheEarlierFile) {
  Spit(dir_ / "a.rpk", std::string("earlier"));
  EXPECT_THAT([&] { SaveDataFile(dir_ / "gone.tmp", dir_ / "a.rpk", list_); },
              ::testing::ThrowsMessage<Error>(::testing::HasSubstr("gone.tmp")));
#ifndef _WIN32
  const std::string full = testing::RunWithFileSizeLimit(
      4096, [&] { SaveDataFile(dir_ / "default.tmp", dir_ / "a.rpk", list_); });
  EXPECT_THAT(full, ::testing::HasSubstr("a.rpk»: File too large"));
#endif
  std::filesystem::create_directory(dir_ / "b.rpk");
  EXPECT_THROW(SaveDataFile(dir_ / "default.tmp", dir_ / "b.rpk", list_), Error);
  EXPECT_EQ(Slurp(dir_ / "a.rpk"), std::vector<std::uint8_t>({'e', 'a', 'r', 'l', 'i', 'e', 'r'}));
  EXPECT_EQ(dir_.Entries(), (std::vector<std::string>{"a.rpk", "b.rpk", "default.tmp"}));
}

}  // namespace
}  // namespace tavrix
