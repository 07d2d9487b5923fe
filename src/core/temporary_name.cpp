#include "core/temporary_name.h"

#include <random>
#include <string>

namespace tavrix {

std::filesystem::path TemporaryName(const std::filesystem::path& folder) {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  constexpr char kHex[] = "0123456789abcdef";
  std::string name = ".tavrix-";
  for (auto bits = random(); name.size() < 8 + 16; bits >>= 4) name += kHex[bits & 0xF];
  return folder / (name + ".tmp");
}

std::filesystem::path FolderOf(const std::filesystem::path& path) {
  return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

}  // namespace tavrix
