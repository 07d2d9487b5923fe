// Which report library fits a data file: the version map VersionRP.ini in the program directory
// (section = model designation, key = recorder version text, value = library file name), and the
// fallback table of one library per model for when the map names none. Texts are code page 1251.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/ini_file.h"

namespace tavrix::report {

inline constexpr std::string_view kVersionMapFileName = "VersionRP.ini";

// The library that the map names; none when the file, section or key is missing, when the file
// cannot be read, or when the value is literally "нет".
std::optional<std::string> LibraryFromVersionMap(const IniFile& map, std::string_view model,
                                                 std::string_view version);
std::optional<std::string> LibraryFromVersionMap(const std::filesystem::path& program_directory,
                                                 std::string_view model, std::string_view version);

// rp52A.dll, rp52D.dll, rp52N.dll or rp38.dll for a designation (exact, case counts), else none.
std::optional<std::string> FallbackLibrary(std::string_view model);

}  // namespace tavrix::report
