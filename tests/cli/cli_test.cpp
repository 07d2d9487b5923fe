#include "cli/cli.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "core/cp1251.h"
#include "data/dump.h"
#include "data/passport.h"
#include "device/download_outcome.h"
#include "imagegen/recorder_image.h"
#include "support/cli_run.h"
#include "support/files.h"
#include "support/temp_dir.h"
#include "support/zhuv6_sim.h"

namespace tavrix::cli {
namespace {

using ::testing::HasSubstr;
using testing::Slurp;
using testing::Spit;
using ::testing::StartsWith;

using Result = testing::CliResult;
using testing::Cli;

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gen::RecorderHeader h = gen::PlausibleHeader(Model::k52N, 4);
    h.crane_model = Utf8ToCp1251("КС-6476");
    h.crane_serial = "-2";
    image_ = gen::GenerateImage({Model::k52N, 4, h, 0, {}, {}});
    Spit(dir_ / "default.tmp", image_);
  }
  std::string Dir() const { return dir_.path().string(); }
  std::string DumpPath() const { return (dir_ / "default.tmp").string(); }

  testing::TempDir dir_;
  std::vector<std::uint8_t> image_;
};

TEST_F(CliTest, DetectJson) {
  const Result r = Cli({"detect", DumpPath(), "--json", "--now", "2026-01-02 03:04:05"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_THAT(r.out, StartsWith("{\"model\": \"ЗУЛ-52Н\", \"failing\": {\"ЗУЛ-52А\": 14, "
                                "\"ЗУЛ-52Д\": 12, \"ЗУЛ-52Н\": 0, \"ЗУЛ-38\": 5}, \"entries\": "
                                "[\"ЗУЛ-52Н\", "));
  EXPECT_THAT(r.out, HasSubstr("\"КС-6476\", \"-2\", \"\", "));
  EXPECT_THAT(r.out, HasSubstr(", \"\"]}\n"));  // entry 16 untouched by detection
}

TEST_F(CliTest, DetectWithAForcedModel) {
  const Result r = Cli({"detect", DumpPath(), "--model", "ЗУЛ-38", "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_THAT(r.out, StartsWith("{\"model\": \"ЗУЛ-38\""));
  EXPECT_THAT(r.out, HasSubstr("\"ЗУЛ-52Н\": 0"));
  EXPECT_THAT(r.out, HasSubstr("\"1.0\", \"ЗУЛ-38-\""));
}

TEST_F(CliTest, SaveThenInfo) {
  const Result save = Cli({"save", DumpPath(), "кран 1", "--dir", Dir(), "--now",
                           "2026-05-06 07:08:09", "--set", "7=А-17", "--set", "11=ООО \"Кран\""});
  ASSERT_EQ(save.code, 0) << save.err;
  EXPECT_EQ(save.out, (dir_ / "кран 1.rpk").string() + "\n");
  const auto file = Slurp(dir_ / "кран 1.rpk");
  ASSERT_EQ(file.size(), kDataFileSize);
  EXPECT_TRUE(std::equal(image_.begin(), image_.end(), file.begin()));

  const Result info = Cli({"info", (dir_ / "кран 1.rpk").string(), "--json"});
  ASSERT_EQ(info.code, 0) << info.err;
  EXPECT_THAT(info.out, StartsWith("{\"entries\": [\"ЗУЛ-52Н\", "));
  EXPECT_THAT(info.out, HasSubstr("\"А-17\""));
  EXPECT_THAT(info.out, HasSubstr("\"ООО \\\"Кран\\\"\""));
  EXPECT_THAT(info.out, HasSubstr("\"06.05.2026 07:08\"]}"));
}

TEST_F(CliTest, SaveRefusesAnExistingFileUnlessForced) {
  Spit(dir_ / "a.rpk", std::string("earlier"));
  const Result refused = Cli({"save", DumpPath(), "a.rpk", "--dir", Dir()});
  EXPECT_EQ(refused.code, 1);
  EXPECT_THAT(refused.err, HasSubstr("--force"));
  EXPECT_EQ(Slurp(dir_ / "a.rpk").size(), 7u);
  const Result forced = Cli({"save", DumpPath(), "a.rpk", "--dir", Dir(), "--force", "--json"});
  EXPECT_EQ(forced.code, 0);
  EXPECT_THAT(forced.out, StartsWith("{\"file\": \"" + (dir_ / "a.rpk").string() +
                                     "\", \"entries\": [\"ЗУЛ-52Н\""));
  EXPECT_EQ(Slurp(dir_ / "a.rpk").size(), kDataFileSize);
}

TEST_F(CliTest, SaveRefusesForbiddenCharactersAndWritesNothing) {
  const Result r = Cli({"save", DumpPath(), "a?b*", "--dir", Dir()});
  EXPECT_EQ(r.code, 1);
  EXPECT_THAT(r.err, HasSubstr("недопустимые символы: \"*\" \"?\" .\n\n"));
  EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"default.tmp"});
}

TEST_F(CliTest, SaveOfAnUnrecognisedDumpWarnsAndStoresNet) {
  Spit(dir_ / "zeros.tmp", std::vector<std::uint8_t>(100));
  const Result r = Cli({"save", (dir_ / "zeros.tmp").string(), "z", "--dir", Dir()});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_THAT(r.err, HasSubstr("holds 100 bytes"));
  EXPECT_THAT(r.err, HasSubstr("no model recognised"));
  HeaderValueList list;
  ReadPassport(dir_ / "z.rpk", 0, 16, list);
  EXPECT_EQ(list[0], Utf8ToCp1251("нет"));
}

TEST_F(CliTest, FailuresExitWithOneAndAMessage) {
  struct Case {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"detect", Dir() + "/missing.tmp"}, "missing.tmp»: No such file or directory"},
      {{"detect", Dir()}, "Is a directory"},
      {{"info", Dir() + "/missing.rpk"}, "No such file or directory"},
      {{"save", DumpPath(), "x", "--dir", Dir() + "/default.tmp"}, "Not a directory"},
      {{"save", Dir() + "/missing.tmp", "x", "--dir", Dir()}, "missing.tmp"},
  };
  for (const Case& c : cases) {
    const Result r = Cli(c.args);
    EXPECT_EQ(r.code, 1) << c.args[0];
    EXPECT_THAT(r.err, StartsWith("tavrix-cli: "));
    EXPECT_THAT(r.err, HasSubstr(c.message));
  }
  EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"default.tmp"});
}

TEST_F(CliTest, UsageErrorsExitWithTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"frobnicate"},
      {"detect"},
      {"detect", DumpPath(), "--bogus"},
      {"detect", DumpPath(), "--now", "yesterday"},
      {"detect", DumpPath(), "--model", "ЗУЛ-99"},
      {"save", DumpPath(), "x", "--set", "0=model"},
      {"save", DumpPath(), "x", "--set", "17=x"},
      {"save", DumpPath(), "x", "--set", "nonsense"},
  };
  for (const auto& args : cases) EXPECT_EQ(Cli(args).code, 2) << ::testing::PrintToString(args);
  EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"default.tmp"});
}

TEST_F(CliTest, HelpDescribesEveryCommand) {
  const Result r = Cli({"--help"});
  EXPECT_EQ(r.code, 0);
  for (const char* command : {"detect", "info", "read", "save"})
    EXPECT_THAT(r.out, HasSubstr(command));
  const Result save = Cli({"save", "--help"});
  EXPECT_EQ(save.code, 0);
  for (const char* option : {"--dir", "--model", "--set", "--now", "--force"}) {
    EXPECT_THAT(save.out, HasSubstr(option));
  }
}

TEST_F(CliTest, ScrambleAndUnscrambleALibrary) {
  const std::string text = Utf8ToCp1251("шаблон\tотчет.xlsx\r\nстрока 1\r\n");
  Spit(dir_ / "lib.txt", text);
  const Result scramble =
      Cli({"scramble", (dir_ / "lib.txt").string(), (dir_ / "lib.dll").string()});
  ASSERT_EQ(scramble.code, 0) << scramble.err;
  const auto scrambled = Slurp(dir_ / "lib.dll");
  EXPECT_NE(std::string(scrambled.begin(), scrambled.end()), text);
  ASSERT_EQ(Cli({"unscramble", (dir_ / "lib.dll").string(), (dir_ / "back.txt").string()}).code, 0);
  const auto back = Slurp(dir_ / "back.txt");
  EXPECT_EQ(std::string(back.begin(), back.end()), text);

  Spit(dir_ / "zero.txt", std::string("a\0b", 3));
  const Result refused =
      Cli({"scramble", (dir_ / "zero.txt").string(), (dir_ / "lib.dll").string()});
  EXPECT_EQ(refused.code, 1);
  EXPECT_THAT(refused.err, HasSubstr("нулевой байт"));
  EXPECT_EQ(Slurp(dir_ / "lib.dll"), scrambled) << "a refused text leaves the old library";
}

// The download into a program directory whose Tavrix.ini names the port, then the detection.
TEST_F(CliTest, ReadDownloadsFromTheConfiguredPortAndDecodes) {
  testing::SimProcess sim({"--image", DumpPath(), "--fast"});
  const auto program = dir_ / "program";
  std::filesystem::create_directory(program);
  Spit(program / "Tavrix.ini", Utf8ToCp1251("[Настройки]\r\nSerialPorts=" + sim.path() + "\r\n"));
  const Result r = Cli({"read", "--program-dir", program.string(), "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_THAT(r.err, HasSubstr("% Поиск подключенного устройства ЖУВ-6 (" + sim.path() + ")...\n"));
  EXPECT_THAT(r.err, HasSubstr("Считано 270336 байт. Расчет контрольной суммы...\n"));
  EXPECT_THAT(r.out, StartsWith("{\"model\": \"ЗУЛ-52Н\", \"failing\": {"));
  EXPECT_EQ(Slurp(program / "default.tmp"), image_);
}

TEST_F(CliTest, ReadReportsTheOutcomeWithTheSystemsText) {
  struct Case {
    std::vector<std::string> faults;
    int code;
    std::string report;
  } cases[] = {
      {{"--corrupt-checksum"},
       0,
       "tavrix-cli: warning: Предупреждение!\n" + std::string(kIntegrityWarningText) + "\n"},
      {{"--never-answer"}, 1, "tavrix-cli: Внимание!\n" + std::string(kNotFoundText) + "\n"},
      {{"--stop-after", "1000"}, 1, "tavrix-cli: Ошибка!\n" + InterruptionText(1000) + "\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> options = {"--image", DumpPath(), "--fast"};
    options.insert(options.end(), c.faults.begin(), c.faults.end());
    testing::SimProcess sim(options);
    const testing::TempDir program;
    const Result r = Cli({"read", "--port", sim.path(), "--program-dir", program.path().string()});
    EXPECT_EQ(r.code, c.code) << c.faults[0];
    EXPECT_THAT(r.err, HasSubstr(c.report)) << c.faults[0];
    EXPECT_EQ(r.out.empty(), c.code != 0) << c.faults[0];
    EXPECT_EQ(program.Entries().empty(), c.code != 0) << c.faults[0];
  }
}

// A program directory that is a file cannot take default.tmp: the access text, and nothing
// decoded.
TEST_F(CliTest, ReadIntoAFolderThatCannotBeWrittenEndsWithTheAccessText) {
  testing::SimProcess sim({"--image", DumpPath(), "--fast"});
  const auto not_a_folder = dir_ / "program";
  Spit(not_a_folder, std::string("a file"));
  const Result r = Cli({"read", "--port", sim.path(), "--program-dir", not_a_folder.string()});
  EXPECT_EQ(r.code, 1);
  EXPECT_THAT(r.err, HasSubstr("tavrix-cli: Ошибка!\n" + std::string(kAccessText) + "\n"));
  EXPECT_TRUE(r.out.empty());
  EXPECT_EQ(Slurp(not_a_folder).size(), 6u);
}

}  // namespace
}  // namespace tavrix::cli
