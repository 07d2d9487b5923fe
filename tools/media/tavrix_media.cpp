// tavrix-media OUT_DIR: writes filecopy.avi, toxls.avi and tada.wav into OUT_DIR.
#include <cstdio>
#include <filesystem>

#include "core/error.h"
#include "core/file_io.h"
#include "media/media_files.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tavrix-media OUT_DIR\n");
    return 2;
  }
  const std::filesystem::path out = argv[1];
  try {
    std::filesystem::create_directories(out);
    using tavrix::AviCompression;
    tavrix::WriteFileAtomically(
        out / "filecopy.avi",
        tavrix::WriteAviClip(tavrix::media::FileCopyClip(), AviCompression::kRle8));
    tavrix::WriteFileAtomically(
        out / "toxls.avi", tavrix::WriteAviClip(tavrix::media::ToXlsClip(), AviCompression::kRle8));
    tavrix::WriteFileAtomically(out / "tada.wav", tavrix::media::TadaWav());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tavrix-media: %s\n", e.what());
    return 1;
  }
  return 0;
}
