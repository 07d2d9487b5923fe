#include "core/file_io.h"

#include <cerrno>
#include <fstream>
#include <system_error>

#include "core/error.h"

namespace tavrix {

std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathToUtf8(const std::filesystem::path& path) {
  const std::u8string s = path.u8string();
  return std::string(s.begin(), s.end());
}

std::string CannotReadMessage(const std::filesystem::path& path, std::string_view reason) {
  return "Не удалось прочитать файл «" + PathToUtf8(path) + "»: " + std::string(reason);
}

std::string CannotWriteMessage(const std::filesystem::path& path, std::string_view reason) {
  return "Не удалось записать файл «" + PathToUtf8(path) + "»: " + std::string(reason);
}

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path,
                                        std::uintmax_t max_bytes) {
  auto fail = [&](int error) -> std::vector<std::uint8_t> {
    throw Error(CannotReadMessage(path, std::generic_category().message(error)));
  };
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return fail(EISDIR);
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) return fail(errno != 0 ? errno : ENOENT);
  std::vector<std::uint8_t> bytes;
  constexpr std::size_t kChunk = 1 << 16;
  while (bytes.size() < max_bytes) {
    const std::size_t want =
        static_cast<std::size_t>(std::min<std::uintmax_t>(kChunk, max_bytes - bytes.size()));
    const std::size_t old_size = bytes.size();
    bytes.resize(old_size + want);
    in.read(reinterpret_cast<char*>(bytes.data() + old_size), static_cast<std::streamsize>(want));
    bytes.resize(old_size + static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return fail(errno != 0 ? errno : EIO);
    if (in.eof()) break;
  }
  return bytes;
}

}  // namespace tavrix
