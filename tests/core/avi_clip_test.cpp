// AVI clips: what is written reads back the same, uncompressed and RLE8, and a damaged file is
// refused with an error instead of being read past its end.
#include "core/avi_clip.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/error.h"

namespace tavrix {
namespace {

// Three frames of an odd width (rows padded in the file), with runs longer than 255 pixels.
AviClip SampleClip() {
  AviClip clip;
  clip.width = 301;
  clip.height = 3;
  clip.frame_interval = std::chrono::milliseconds(70);
  clip.palette[0] = 0xFFFBF0;
  clip.palette[7] = 0x123456;
  for (int n = 0; n < 3; ++n) {
    std::vector<std::uint8_t> frame(static_cast<std::size_t>(clip.width) * clip.height, 0);
    for (std::size_t i = 0; i < frame.size(); i += 5 + n) frame[i] = 7;
    frame.back() = static_cast<std::uint8_t>(n);
    clip.frames.push_back(frame);
  }
  return clip;
}

TEST(AviClipTest, WrittenClipReadsBackInBothEncodings) {
  const AviClip clip = SampleClip();
  for (const AviCompression compression : {AviCompression::kNone, AviCompression::kRle8}) {
    SCOPED_TRACE(compression == AviCompression::kNone ? "uncompressed" : "RLE8");
    const AviClip read = ReadAviClip(WriteAviClip(clip, compression));
    EXPECT_EQ(read.width, clip.width);
    EXPECT_EQ(read.height, clip.height);
    EXPECT_EQ(read.frame_interval, clip.frame_interval);
    EXPECT_EQ(read.palette, clip.palette);
    EXPECT_EQ(read.frames, clip.frames);
  }
}

TEST(AviClipTest, DamagedFilesAreRefused) {
  const std::vector<std::uint8_t> good = WriteAviClip(SampleClip(), AviCompression::kRle8);
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<Case> cases = {
      {"empty", {}},
      {"not RIFF", std::vector<std::uint8_t>(64, 'x')},
      {"cut in the middle", std::vector<std::uint8_t>(good.begin(), good.begin() + 900)},
  };
  // A frame format that asks for a picture 65 536 pixels wide.
  std::vector<std::uint8_t> huge = good;
  const auto strf = std::search(huge.begin(), huge.end(), std::begin("strf"), std::end("strf") - 1);
  ASSERT_NE(strf, huge.end());
  strf[8 + 6] = 1;  // the width's third byte
  cases.push_back({"frame too wide", huge});
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THROW(ReadAviClip(c.bytes), Error);
  }
}

}  // namespace
}  // namespace tavrix
