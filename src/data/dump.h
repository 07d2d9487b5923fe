// The recorder dump: the 270 336-byte memory image, addressed by absolute offsets, kept as the
// file default.tmp in the program directory and as the first part of every data file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

#include "core/byte_view.h"

namespace tavrix {

inline constexpr std::size_t kDumpSize = 270336;  // 0x42000
inline constexpr std::string_view kDumpFileName = "default.tmp";

// A dump as read from a file: always kDumpSize bytes, zeros where the file was shorter.
struct Dump {
  std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(kDumpSize);
  std::uintmax_t file_size = kDumpSize;  // how many bytes the file had

  ByteView view() const { return ByteView(bytes); }
};

// Reads a dump file; a shorter file leaves the rest zero, bytes past kDumpSize are ignored.
// Throws Error when the file is missing or cannot be read.
Dump LoadDump(const std::filesystem::path& path);

}  // namespace tavrix
