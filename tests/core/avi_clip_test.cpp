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
    const char* reason;  // what the message names
  };
  std::vector<Case> cases = {
      {"empty", {}, "это не файл AVI"},
      {"not RIFF", std::vector<std::uint8_t>(64, 'x'), "это не файл AVI"},
      {"cut in the middle", std::vector<std::uint8_t>(good.begin(), good.begin() + 900),
       "блок выходит за конец файла"},
  };
  // A frame format that asks for a picture 65 536 pixels wide.
  std::vector<std::uint8_t> huge = good;
  const auto strf = std::search(huge.begin(), huge.end(), std::begin("strf"), std::end("strf") - 1);
  ASSERT_NE(strf, huge.end());
  strf[8 + 6] = 1;  // the width's third byte
  cases.push_back({"frame too wide", huge, "недопустимый размер кадра"});
  // Frames of 2048 x 2048 pixels, 36 KB each in RLE8: a small file that asks for gigabytes.
  AviClip big;
  big.width = big.height = kMaxAviSide;
  big.frames.assign(1, std::vector<std::uint8_t>(std::size_t{kMaxAviSide} * kMaxAviSide));
  std::vector<std::uint8_t> many = WriteAviClip(big, AviCompression::kRle8);
  const auto find = [&many](const char* id) {
    return static_cast<std::size_t>(std::search(many.begin(), many.end(), id, id + 4) -
                                    many.begin());
  };
  const std::size_t frame_at = find("00dc");
  const std::size_t frame_size =
      8 + (many[frame_at + 4] | many[frame_at + 5] << 8 | many[frame_at + 6] << 16);
  const std::vector<std::uint8_t> frame(many.begin() + frame_at,
                                        many.begin() + frame_at + frame_size);
  const auto grow = [&many](std::size_t size_at, std::size_t by) {
    std::uint32_t size =
        many[size_at] | many[size_at + 1] << 8 | many[size_at + 2] << 16 | many[size_at + 3] << 24;
    size += static_cast<std::uint32_t>(by);
    for (int i = 0; i < 4; ++i) many[size_at + i] = static_cast<std::uint8_t>(size >> (8 * i));
  };
  const std::size_t copies = kMaxAviPixels / big.frames[0].size();
  grow(find("movi") - 4, copies * frame.size());
  grow(4, copies * frame.size());
  for (std::size_t i = 0; i < copies; ++i)
    many.insert(many.begin() + frame_at, frame.begin(), frame.end());
  cases.push_back({"more pixels than a clip may have", many, "слишком много кадров"});
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      ReadAviClip(c.bytes);
      ADD_FAILURE() << "read";
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace tavrix
