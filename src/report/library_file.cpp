#include "report/library_file.h"

#include "core/cp1251.h"
#include "core/error.h"
#include "core/file_io.h"
#include "report/report_messages.h"
#include "report/unscramble.h"

namespace tavrix::report {

std::filesystem::path ProgramFile(const std::filesystem::path& program_directory,
                                  std::string_view cp1251_name) {
  std::string name = Cp1251ToUtf8(cp1251_name);
#ifndef _WIN32
  for (char& c : name) {
    if (c == '\\') c = '/';
  }
#endif
  // The name is joined to the directory with a separator of its own, as text: a leading
  // separator must not make it a path from the root.
  name.erase(0, name.find_first_not_of("\\/"));
  return program_directory / PathFromUtf8(name);
}

DescriptionList ReadReportLibrary(const std::filesystem::path& path) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(path, kMaxLibraryBytes + 1);
  if (bytes.size() > kMaxLibraryBytes) throw Error(LibraryTooLargeMessage(PathToUtf8(path)));
  return SplitLines(Unscramble(bytes));
}

}  // namespace tavrix::report
