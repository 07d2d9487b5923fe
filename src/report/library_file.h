// Reading a report library: the whole file, whatever its size, unscrambled into the description
// list. Also where the program directory's files named by code page 1251 texts are: a library
// or template name may hold backslashes as folder separators, as the names on Windows do.
#pragma once

#include <filesystem>
#include <string_view>

#include "report/description_list.h"

namespace tavrix::report {

std::filesystem::path ProgramFile(const std::filesystem::path& program_directory,
                                  std::string_view cp1251_name);

// Throws Error when the file cannot be opened or read.
DescriptionList ReadReportLibrary(const std::filesystem::path& path);

}  // namespace tavrix::report
