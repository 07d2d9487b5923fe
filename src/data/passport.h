// The data file (".rpk"): the dump, one zero byte and the passport block of 17 fixed-width
// fields, 271 067 bytes in all, and the header value list of 17 code page 1251 texts that the
// passport block stores. A text shorter than its field is padded with zeros, one exactly as long
// fills it, a longer one is cut to the field's width; a reader takes a field up to its first
// zero byte. Fields past the end of a short data file read as empty texts.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrix {

inline constexpr std::size_t kPassportEntries = 17;
inline constexpr std::size_t kDataFileSize = 271067;    // 0x422DB
inline constexpr std::size_t kPassportOffset = 270337;  // 0x42001, after the zero byte

struct PassportField {
  std::size_t offset;
  std::size_t width;
};

// Entry k of the header value list is stored in field k.
extern const std::array<PassportField, kPassportEntries> kPassportFields;

// What each entry holds, as the passport panel captions it (UTF-8); entry 0 is the model.
extern const std::array<std::string_view, kPassportEntries> kPassportCaptions;

// Entry numbers with a meaning of their own.
inline constexpr std::size_t kEntryModel = 0;
inline constexpr std::size_t kEntryVersion = 1;
inline constexpr std::size_t kEntryReadoutTime = 16;

using HeaderValueList = std::array<std::string, kPassportEntries>;

// The bytes of a data file: dump (kDumpSize bytes), zero byte, passport block.
std::vector<std::uint8_t> BuildDataFile(std::span<const std::uint8_t> dump,
                                        const HeaderValueList& list);

// Reads passport fields first..last of the data file into the same entries of `list`; the other
// entries are left as they are. Throws Error when the file cannot be read.
void ReadPassport(const std::filesystem::path& path, std::size_t first, std::size_t last,
                  HeaderValueList& list);

// Writes the data file atomically (see file_io.h). Throws Error when it cannot be written.
void WriteDataFile(const std::filesystem::path& path, std::span<const std::uint8_t> dump,
                   const HeaderValueList& list);

}  // namespace tavrix
