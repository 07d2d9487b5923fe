#include "data/dump.h"

#include <algorithm>

#include "core/file_io.h"

namespace tavrix {

Dump LoadDump(const std::filesystem::path& path) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(path, kDumpSize + 1);
  Dump dump;
  dump.file_size = bytes.size() > kDumpSize ? std::filesystem::file_size(path) : bytes.size();
  std::copy_n(bytes.begin(), std::min(bytes.size(), kDumpSize), dump.bytes.begin());
  return dump;
}

}  // namespace tavrix
