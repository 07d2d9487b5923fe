#include "report/report_output.h"

#include <fstream>
#include <random>
#include <string>

#include "core/error.h"
#include "core/file_io.h"

namespace tavrix::report {
namespace {

std::filesystem::path FreeName(const std::filesystem::path& folder, const std::string& stem) {
  for (int copy = 1; copy <= kMaxReportCopies; ++copy) {
    const std::string suffix = copy == 1 ? "" : " (" + std::to_string(copy) + ")";
    const std::filesystem::path candidate = folder / PathFromUtf8(stem + suffix + ".xlsx");
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(candidate, error))) {
      return candidate;
    }
  }
  throw Error("В папке " + PathToUtf8(folder) + " заняты все имена отчета «" + stem +
              ".xlsx» до (" + std::to_string(kMaxReportCopies) + ").");
}

}  // namespace

bool FolderWritable(const std::filesystem::path& folder) {
  std::random_device random;
  const std::filesystem::path probe =
      folder / (".tavrix-probe-" + std::to_string(random()) + std::to_string(random()));
  std::error_code error;
  if (std::filesystem::exists(probe, error)) return false;
  const bool created = std::ofstream(probe, std::ios::binary).good();
  std::filesystem::remove(probe, error);
  return created;
}

std::filesystem::path ReportOutputPath(
    const std::filesystem::path& data_file, const std::filesystem::path& fallback_folder,
    const std::function<bool(const std::filesystem::path&)>& writable) {
  const std::string stem = PathToUtf8(data_file.stem());
  std::filesystem::path folder = data_file.parent_path();
  if (folder.empty()) folder = ".";
  if (!writable(folder)) {
    if (!writable(fallback_folder)) {
      throw Error("Отчет некуда сохранить: нельзя записать ни в папку " + PathToUtf8(folder) +
                  ", ни в папку " + PathToUtf8(fallback_folder) + ".");
    }
    folder = fallback_folder;
  }
  return FreeName(folder, stem);
}

}  // namespace tavrix::report
