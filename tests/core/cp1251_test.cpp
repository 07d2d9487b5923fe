#include "core/cp1251.h"

#include <gtest/gtest.h>

#if __has_include(<iconv.h>)
#include <iconv.h>
#endif

namespace tavrix {
namespace {

std::string AllHighBytes() {
  std::string bytes;
  for (int b = 0x80; b <= 0xFF; ++b) bytes += static_cast<char>(b);
  return bytes;
}

TEST(Cp1251, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b <= 0xFF; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
}

#if __has_include(<iconv.h>)
// glibc's table is independent of ours; it leaves 0x98 unassigned, which we map to U+0098.
TEST(Cp1251, MatchesIconvForEveryAssignedByte) {
  iconv_t cd = iconv_open("UTF-8", "CP1251");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  for (int b = 0x80; b <= 0xFF; ++b) {
    if (b == 0x98) continue;
    char in[1] = {static_cast<char>(b)};
    char out[8] = {};
    char* in_p = in;
    char* out_p = out;
    std::size_t in_left = 1, out_left = sizeof out;
    ASSERT_NE(iconv(cd, &in_p, &in_left, &out_p, &out_left), static_cast<std::size_t>(-1)) << b;
    EXPECT_EQ(Cp1251ToUtf8(std::string(1, static_cast<char>(b))), std::string(out, out_p)) << b;
  }
  iconv_close(cd);
}
#endif

TEST(Cp1251, KnownLettersOutsideTheMainBlock) {
  EXPECT_EQ(Utf8ToCp1251("Ёё№€"), "\xA8\xB8\xB9\x88");
  EXPECT_EQ(Cp1251ToUtf8("\x98"), "\xC2\x98");
  EXPECT_EQ(Utf8ToCp1251("ЗУЛ-52А"), "\xC7\xD3\xCB-52\xC0");
}

TEST(Cp1251, WhatCodePage1251CannotHoldBecomesQuestionMarks) {
  struct Case {
    const char* name;
    std::string utf8;
    std::string cp1251;
  };
  const Case cases[] = {
      {"Chinese", "日本", "??"},
      {"Latin with accent", "é", "?"},
      {"emoji (4 bytes)", "a\xF0\x9F\x98\x80z", "a?z"},
      {"lone continuation byte", "a\x80z", "a?z"},
      {"truncated sequence", "\xD0", "?"},
      {"overlong slash", "\xC0\xAF", "??"},
      {"surrogate", "\xED\xA0\x80", "???"},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToCp1251(c.utf8), c.cp1251) << c.name;
}

TEST(Cp1251, FoldCaseLowersLatinAndCyrillicOnly) {
  EXPECT_EQ(FoldCase1251(Utf8ToCp1251("НАСТРОЙКИ Ёж ҐЇЎ AbZ 1_[")),
            Utf8ToCp1251("настройки ёж ґїў abz 1_["));
  // Every byte folds to a byte whose character is the lower case of the original.
  const std::string high = AllHighBytes();
  EXPECT_EQ(FoldCase1251(FoldCase1251(high)), FoldCase1251(high));
}

}  // namespace
}  // namespace tavrix
