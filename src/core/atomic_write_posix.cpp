// WriteFileAtomically for POSIX systems: a uniquely named temporary file beside the target,
// written in full, fsync'ed, renamed over the target, and the folder fsync'ed.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "core/error.h"
#include "core/file_io.h"
#include "core/temporary_name.h"

namespace tavrix {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, int error) {
  throw Error(CannotWriteMessage(path, std::generic_category().message(error)));
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes = bytes.subspan(static_cast<std::size_t>(n));
  }
  return true;
}

void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;  // durability of the rename is best effort; the file itself is synced
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  const std::filesystem::path folder = FolderOf(path);
  std::filesystem::path temp;
  int fd = -1;
  for (int attempt = 0; fd < 0; ++attempt) {
    temp = TemporaryName(folder);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && (errno != EEXIST || attempt == 16)) Fail(path, errno);
  }
  const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const int write_error = errno;
  if (::close(fd) != 0 || !written) {
    const int error = written ? errno : write_error;
    ::unlink(temp.c_str());
    Fail(path, error != 0 ? error : EIO);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    Fail(path, error);
  }
  SyncFolder(folder);
}

}  // namespace tavrix
