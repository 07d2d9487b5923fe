#include "core/byte_view.h"

#include <gtest/gtest.h>

#include <array>

namespace tavrix {
namespace {

constexpr std::array<std::uint8_t, 6> kBytes = {0x34, 0x12, 0xFF, 0xFF, 'A', 0};

TEST(ByteView, LittleEndianNumbersAndZerosPastTheEnd) {
  const ByteView v(kBytes);
  EXPECT_EQ(v.U16(0), 0x1234);
  EXPECT_EQ(v.S16(2), -1);
  EXPECT_EQ(v.U32(0), 0xFFFF1234u);
  EXPECT_EQ(v.U16(5), 0);          // high byte past the end reads zero
  EXPECT_EQ(v.U32(4), 0x41u);      // three of four bytes past the end
  EXPECT_EQ(v.U8(UINT64_MAX), 0);  // no overflow on huge offsets
  EXPECT_EQ(v.U32(UINT64_MAX - 1), 0u);
}

TEST(ByteView, CopyFillsWhatTheBufferLacksWithZeros) {
  const ByteView v(kBytes);
  std::array<std::uint8_t, 4> out{9, 9, 9, 9};
  v.Copy(4, out);
  EXPECT_EQ(out, (std::array<std::uint8_t, 4>{'A', 0, 0, 0}));
  v.Copy(100, out);
  EXPECT_EQ(out, (std::array<std::uint8_t, 4>{}));
}

TEST(ByteView, TextEndsAtTheFirstZeroOrAfterNBytes) {
  const std::array<std::uint8_t, 7> bytes = {'a', 'b', 'c', 0, 'd', 'e', 'f'};
  const ByteView v(bytes);
  struct Case {
    std::uint64_t offset;
    std::size_t n;
    std::string text;
  } cases[] = {{0, 7, "abc"}, {0, 2, "ab"}, {4, 3, "def"}, {4, 10, "def"}, {3, 4, ""}, {50, 3, ""}};
  for (const Case& c : cases) EXPECT_EQ(v.Text(c.offset, c.n), c.text) << c.offset << "," << c.n;
}

}  // namespace
}  // namespace tavrix
