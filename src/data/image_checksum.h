// The memory image's own checksum: the 32-bit sum of bytes 0..264191, stored little-endian at
// offset 264192 by the recorder. The transfer-unit download checks it; the image generator sets it.
#pragma once

#include <cstdint>

#include "core/byte_view.h"

namespace tavrix {

inline constexpr std::uint32_t kImageChecksumOffset = 264192;  // 0x40800, also the bytes summed

inline std::uint32_t ComputeImageChecksum(const ByteView& image) {
  std::uint32_t sum = 0;
  for (std::uint32_t i = 0; i < kImageChecksumOffset; ++i) sum += image.U8(i);
  return sum;
}

inline std::uint32_t StoredImageChecksum(const ByteView& image) {
  return image.U32(kImageChecksumOffset);
}

}  // namespace tavrix
