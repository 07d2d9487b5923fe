// The media made at build time: each clip has the frames its window plays and moves from frame
// to frame; the sound is a PCM WAV.
#include "media/media_files.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrix::media {
namespace {

TEST(MediaFilesTest, ClipsHoldTheFramesTheirWindowsPlay) {
  struct Case {
    const char* name;
    AviClip clip;
    std::size_t frames;
  };
  for (const Case& c : {Case{"filecopy", FileCopyClip(), kFileCopyFrames},
                        Case{"toxls", ToXlsClip(), kToXlsFrames}}) {
    SCOPED_TRACE(c.name);
    const AviClip read = ReadAviClip(WriteAviClip(c.clip, AviCompression::kRle8));
    ASSERT_EQ(read.frames.size(), c.frames);
    EXPECT_EQ(read.frames, c.clip.frames);
    EXPECT_NE(read.frames.front(), read.frames.back());
  }
}

TEST(MediaFilesTest, TadaIsAPcmWav) {
  const std::vector<std::uint8_t> wav = TadaWav();
  ASSERT_GT(wav.size(), 44u);
  EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
  EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(wav[20], 1);  // PCM
  const std::uint32_t riff_size = wav[4] | wav[5] << 8 | wav[6] << 16 | wav[7] << 24;
  EXPECT_EQ(riff_size + 8, wav.size());
}

}  // namespace
}  // namespace tavrix::media
