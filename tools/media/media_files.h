// The media files of the program directory, made in code at build time: the clips of the two
// progress windows (filecopy.avi: a sheet flying between two folders; toxls.avi: a worksheet
// filling cell by cell) and the sound tada.wav (a rising chord), so that no binary ships.
#pragma once

#include <cstdint>
#include <vector>

#include "core/avi_clip.h"

namespace tavrix::media {

inline constexpr int kFileCopyFrames = 18;  // the download window plays frames 0..17
inline constexpr int kToXlsFrames = 129;    // the report window plays frames 0..128

AviClip FileCopyClip();
AviClip ToXlsClip();

// 16-bit mono PCM WAV.
std::vector<std::uint8_t> TadaWav();

}  // namespace tavrix::media
