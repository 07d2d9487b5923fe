// WriteFileAtomically for Windows: a uniquely named temporary file beside the target, written in
// full and flushed, then moved over the target by MoveFileExW with MOVEFILE_REPLACE_EXISTING and
// MOVEFILE_WRITE_THROUGH. That replaces an existing file in one step, which rename() refuses to
// do on Windows; the move returns only once it is on disk.
#include <windows.h>

#include <string>

#include "core/error.h"
#include "core/file_io.h"
#include "core/temporary_name.h"
#include "core/windows_text.h"

namespace tavrix {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, DWORD error) {
  const std::string reason = SystemErrorText(error);
  throw Error(
      CannotWriteMessage(path, reason.empty() ? "Windows error " + std::to_string(error) : reason));
}

bool WriteAll(HANDLE file, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes = bytes.subspan(written);
  }
  return true;
}

}  // namespace

void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  const std::filesystem::path folder = FolderOf(path);
  std::filesystem::path temp;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; file == INVALID_HANDLE_VALUE; ++attempt) {
    temp = TemporaryName(folder);
    file = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
    const DWORD error = ::GetLastError();
    if (file == INVALID_HANDLE_VALUE && (error != ERROR_FILE_EXISTS || attempt == 16)) {
      Fail(path, error);
    }
  }
  const bool written = WriteAll(file, bytes) && ::FlushFileBuffers(file);
  const DWORD write_error = ::GetLastError();
  if (!::CloseHandle(file) || !written) {
    const DWORD error = written ? ::GetLastError() : write_error;
    ::DeleteFileW(temp.c_str());
    Fail(path, error);
  }
  if (!::MoveFileExW(temp.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = ::GetLastError();
    ::DeleteFileW(temp.c_str());
    Fail(path, error);
  }
}

}  // namespace tavrix
