#include "report/version_map.h"

#include <array>
#include <utility>

#include "core/error.h"
#include "data/model.h"

namespace tavrix::report {

std::optional<std::string> LibraryFromVersionMap(const IniFile& map, std::string_view model,
                                                 std::string_view version) {
  std::string value = map.ReadString(model, version, NoModelMarker());
  if (value == NoModelMarker()) return std::nullopt;
  return value;
}

std::optional<std::string> LibraryFromVersionMap(const std::filesystem::path& program_directory,
                                                 std::string_view model, std::string_view version) {
  IniFile map;
  try {
    map = IniFile::Load(program_directory / kVersionMapFileName);
  } catch (const Error&) {
    // The profile rules give the default for a file that cannot be read, as for a missing one.
  }
  return LibraryFromVersionMap(map, model, version);
}

std::optional<std::string> FallbackLibrary(std::string_view model) {
  static constexpr std::array<std::pair<Model, std::string_view>, 4> kFallback = {{
      {Model::k52A, "rp52A.dll"},
      {Model::k52D, "rp52D.dll"},
      {Model::k52N, "rp52N.dll"},
      {Model::k38, "rp38.dll"},
  }};
  const auto m = ModelFromDesignation(model);
  if (!m) return std::nullopt;
  for (const auto& [row_model, file] : kFallback) {
    if (row_model == *m) return std::string(file);
  }
  return std::nullopt;
}

}  // namespace tavrix::report
