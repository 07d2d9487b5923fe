#include "core/file_io.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/error.h"
#ifndef _WIN32
#include "support/fail_write.h"
#endif
#include "support/files.h"
#include "support/temp_dir.h"

namespace tavrix {
namespace {

using ::testing::HasSubstr;
using testing::Slurp;
using testing::Spit;
using testing::TempDir;

const std::vector<std::uint8_t> kOld = {'o', 'l', 'd'};
const std::vector<std::uint8_t> kNew(100000, 0x5A);

TEST(FileIo, AtomicWriteReplacesTheFileAndLeavesNothingElse) {
  TempDir dir;
  Spit(dir / "a.rpk", kOld);
  WriteFileAtomically(dir / "a.rpk", kNew);
  EXPECT_EQ(Slurp(dir / "a.rpk"), kNew);
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"a.rpk"});
}

TEST(FileIo, ReadsAPrefixOrTheWholeFile) {
  TempDir dir;
  Spit(dir / "f", kNew);
  EXPECT_EQ(ReadFileBytes(dir / "f").size(), kNew.size());
  EXPECT_EQ(ReadFileBytes(dir / "f", 10).size(), 10u);
  Spit(dir / "empty", std::string());
  EXPECT_TRUE(ReadFileBytes(dir / "empty").empty());
}

TEST(FileIo, ReadFailuresNameTheFileAndTheReason) {
  TempDir dir;
  EXPECT_THAT([&] { ReadFileBytes(dir / "missing"); },
              ::testing::ThrowsMessage<Error>(HasSubstr("missing»: No such file or directory")));
  EXPECT_THAT([&] { ReadFileBytes(dir.path()); },
              ::testing::ThrowsMessage<Error>(HasSubstr("Is a directory")));
}

#ifndef _WIN32
// Each way of making the write fail leaves the earlier file byte for byte and no temporary file.
// (Windows has its own, with its own reasons: tests/windows.)
TEST(FileIo, FailedWritesKeepTheEarlierFile) {
  TempDir dir;
  Spit(dir / "kept", kOld);
  std::filesystem::create_directory(dir / "folder");

  EXPECT_THAT([&] { WriteFileAtomically(dir / "folder", kNew); },
              ::testing::ThrowsMessage<Error>(HasSubstr("Is a directory")));
  EXPECT_THAT([&] { WriteFileAtomically(dir / "kept" / "x", kNew); },
              ::testing::ThrowsMessage<Error>(HasSubstr("Not a directory")));
  EXPECT_THAT([&] { WriteFileAtomically(dir / std::string(300, 'n'), kNew); },
              ::testing::ThrowsMessage<Error>(HasSubstr("File name too long")));
  const std::string full_disk =
      testing::RunWithFileSizeLimit(1000, [&] { WriteFileAtomically(dir / "kept", kNew); });
  EXPECT_THAT(full_disk, HasSubstr("Не удалось записать файл"));
  EXPECT_THAT(full_disk, HasSubstr("File too large"));

  EXPECT_EQ(Slurp(dir / "kept"), kOld);
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"folder", "kept"}));
}
#endif

TEST(FileIo, Utf8PathsRoundTrip) {
  const std::string name = "КС-45717 №12 01.02.2026.rpk";
  EXPECT_EQ(PathToUtf8(PathFromUtf8(name)), name);
}

}  // namespace
}  // namespace tavrix
