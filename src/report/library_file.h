// Reading a report library: the whole file, up to kMaxLibraryBytes, unscrambled into the
// description list; a larger file is refused before it is read into memory. Also where the program
// directory's files named by code page 1251 texts are: a library or template name may hold
// backslashes as folder separators, as the names on Windows do.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "report/description_list.h"

namespace tavrix::report {

std::filesystem::path ProgramFile(const std::filesystem::path& program_directory,
                                  std::string_view cp1251_name);

// Our libraries are a few kilobytes; a file above this size, chosen by mistake, is no library.
inline constexpr std::uintmax_t kMaxLibraryBytes = std::uintmax_t{16} << 20;

// Throws Error when the file cannot be opened or read, or is larger than kMaxLibraryBytes.
DescriptionList ReadReportLibrary(const std::filesystem::path& path);

}  // namespace tavrix::report
