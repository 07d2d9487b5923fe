// Where a shown report goes: beside the data file under a name that replaces no file, or in the
// fallback folder when the data file's folder cannot be written.
#include "report/report_output.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "core/file_io.h"
#include "support/temp_dir.h"

namespace tavrix::report {
namespace {

TEST(ReportOutputTest, NameBesideTheDataFileNeverReplacesAFile) {
  testing::TempDir dir;
  const std::filesystem::path data = dir.path() / "КС-45717 №12 05.04.2010.rpk";
  const auto next = [&] { return ReportOutputPath(data, dir.path() / "docs"); };
  const auto take = [](const std::filesystem::path& p) {
    WriteFileAtomically(p, std::vector<std::uint8_t>{1});
  };
  EXPECT_EQ(next(), dir.path() / "КС-45717 №12 05.04.2010.xlsx");
  take(next());
  EXPECT_EQ(next(), dir.path() / "КС-45717 №12 05.04.2010 (2).xlsx");
  std::filesystem::create_directory(dir.path() / "КС-45717 №12 05.04.2010 (2).xlsx");
  EXPECT_EQ(next(), dir.path() / "КС-45717 №12 05.04.2010 (3).xlsx");
}

TEST(ReportOutputTest, UnwritableFolderFallsBackAndBothUnwritableIsAnError) {
  testing::TempDir dir;
  const std::filesystem::path data = dir.path() / "cd" / "a.rpk";
  const std::filesystem::path docs = dir.path() / "docs";
  const auto only_docs = [&](const std::filesystem::path& f) { return f == docs; };
  EXPECT_EQ(ReportOutputPath(data, docs, only_docs), docs / "a.xlsx");
  EXPECT_THROW(ReportOutputPath(data, docs, [](const std::filesystem::path&) { return false; }),
               Error);
}

TEST(ReportOutputTest, FolderWritableProbesWithoutLeavingAFile) {
  testing::TempDir dir;
  EXPECT_TRUE(FolderWritable(dir.path()));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  WriteFileAtomically(dir.path() / "file", std::vector<std::uint8_t>{1});
  EXPECT_FALSE(FolderWritable(dir.path() / "file"));  // not a folder
}

}  // namespace
}  // namespace tavrix::report
