// A silent animation clip as the AVI files of the progress windows hold it: 8-bit frames over a
// palette of 256 colours, stored uncompressed (BI_RGB) or run-length encoded (BI_RLE8), and a
// frame interval. ReadAviClip takes such a file apart through bounds-checked reads; RLE8 frames
// are drawn over the frame before them, as players do. WriteAviClip writes one with an index.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <span>
#include <vector>

namespace tavrix {

struct AviClip {
  int width = 0;
  int height = 0;
  std::chrono::microseconds frame_interval{100000};
  std::array<std::uint32_t, 256> palette{};  // 0xRRGGBB
  // Each frame: width x height palette indexes, top row first.
  std::vector<std::vector<std::uint8_t>> frames;
};

enum class AviCompression { kNone, kRle8 };

// The largest clip accepted, so that a damaged header cannot ask for gigabytes.
inline constexpr int kMaxAviSide = 2048;
inline constexpr std::size_t kMaxAviFrames = 4096;
inline constexpr std::size_t kMaxAviPixels = std::size_t{64} << 20;  // all frames together

// Throws Error naming what is wrong when the bytes are no such clip.
AviClip ReadAviClip(std::span<const std::uint8_t> file);

std::vector<std::uint8_t> WriteAviClip(const AviClip& clip, AviCompression compression);

}  // namespace tavrix
