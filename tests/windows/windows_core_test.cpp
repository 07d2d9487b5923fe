// The core on Windows itself: code page 1251 as the system converts it, a file that another
// program holds open kept whole, relative names against the process's current directory.
// (The portable file tests run on Windows too.)
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "core/cp1251.h"
#include "core/error.h"
#include "core/file_io.h"
#include "core/windows_text.h"
#include "support/files.h"
#include "support/temp_dir.h"

namespace tavrix {
namespace {

using ::testing::HasSubstr;
using testing::Slurp;
using testing::Spit;
using testing::TempDir;

// Windows' decoding, byte by byte, is ours.
TEST(WindowsCp1251, DecodingMatchesMultiByteToWideChar) {
  for (int b = 0; b <= 0xFF; ++b) {
    const char byte = static_cast<char>(b);
    wchar_t wide[2] = {};
    ASSERT_EQ(::MultiByteToWideChar(1251, 0, &byte, 1, wide, 2), 1) << b;
    EXPECT_EQ(Cp1251ToUtf8(std::string(1, byte)), Utf8FromWide(std::wstring(1, wide[0]))) << b;
  }
}

// Every character of the basic plane encodes as Windows encodes it without best-fit guesses:
// the 1251 byte where there is one, '?' where there is none.
TEST(WindowsCp1251, EncodingMatchesWideCharToMultiByte) {
  for (wchar_t c = 1; c < 0xD800; ++c) {
    const std::wstring wide(1, c);
    char byte[4] = {};
    const int n = ::WideCharToMultiByte(1251, WC_NO_BEST_FIT_CHARS, wide.data(), 1, byte,
                                        sizeof byte, "?", nullptr);
    ASSERT_EQ(n, 1) << static_cast<int>(c);
    ASSERT_EQ(Utf8ToCp1251(Utf8FromWide(wide)), std::string(1, byte[0])) << static_cast<int>(c);
  }
}

const std::vector<std::uint8_t> kOld = {'o', 'l', 'd'};
const std::vector<std::uint8_t> kNew(70000, 0x5A);

// A spreadsheet application or a viewer that keeps the old file open without sharing its
// deletion makes the replacement fail: the old file stays whole, the new bytes vanish.
TEST(WindowsFiles, AFileHeldOpenByAnotherProgramIsKeptAndTheFailureTold) {
  TempDir dir;
  Spit(dir / "held.rpk", kOld);
  std::filesystem::create_directory(dir / "folder");
  const HANDLE held = ::CreateFileW((dir / "held.rpk").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_THAT([&] { WriteFileAtomically(dir / "held.rpk", kNew); },
              ::testing::ThrowsMessage<Error>(HasSubstr("Не удалось записать файл")));
  ::CloseHandle(held);
  EXPECT_THAT([&] { WriteFileAtomically(dir / "folder", kNew); },
              ::testing::ThrowsMessage<Error>(HasSubstr("folder»: ")));
  EXPECT_EQ(Slurp(dir / "held.rpk"), kOld);
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"folder", "held.rpk"}));
}

// A bare name is a file of the current directory, as the program directory is.
TEST(WindowsFiles, ABareNameLandsInTheCurrentDirectory) {
  TempDir dir;
  const std::filesystem::path folder = dir / "Краны";
  std::filesystem::create_directory(folder);
  const std::filesystem::path before = std::filesystem::current_path();
  ASSERT_TRUE(::SetCurrentDirectoryW(folder.c_str()));
  WriteFileAtomically("default.tmp", kOld);
  const auto back = ReadFileBytes("default.tmp");
  ::SetCurrentDirectoryW(before.c_str());
  EXPECT_EQ(back, kOld);
  EXPECT_EQ(Slurp(folder / "default.tmp"), kOld);
}

}  // namespace
}  // namespace tavrix
