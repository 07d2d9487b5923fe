// Paths as Windows writes them: a drive letter and backslash-separated folders.
#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "core/file_io.h"
#include "report/library_file.h"

namespace tavrix::report {
namespace {

TEST(WindowsPaths, ProgramFilesJoinWithBackslashes) {
  const std::filesystem::path program = PathFromUtf8("C:\\Tavrix");
  EXPECT_EQ(PathToUtf8(ProgramFile(program, Utf8ToCp1251("Шаблоны\\rp52A.xlt"))),
            "C:\\Tavrix\\Шаблоны\\rp52A.xlt");
  EXPECT_EQ(PathToUtf8(ProgramFile(program, "\\rp38.xlt")), "C:\\Tavrix\\rp38.xlt");
  EXPECT_EQ(PathToUtf8(ProgramFile(PathFromUtf8("D:\\"), "a.xlt")), "D:\\a.xlt");
}

TEST(WindowsPaths, AWorkingDirectoryTakesAFileName) {
  const std::filesystem::path working = PathFromUtf8("C:\\Краны\\2026");
  EXPECT_EQ(PathToUtf8(working / PathFromUtf8("КС-45717 №12 01.02.2026.rpk")),
            "C:\\Краны\\2026\\КС-45717 №12 01.02.2026.rpk");
  EXPECT_EQ(PathToUtf8(working.root_name()), "C:");
}

}  // namespace
}  // namespace tavrix::report
