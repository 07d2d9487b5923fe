// Whole-file reads and atomic whole-file writes.
// A write goes to a temporary file in the target's folder, is flushed to disk and then renamed
// over the target, so a failed write (no space, no permission, a directory in the way) leaves
// any earlier file exactly as it was. Failures throw Error naming the file and the reason.
#pragma once

#include <cstdint>
#include <filesystem>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrix {

std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

// Reads the file's first `max_bytes` bytes (all of it by default).
std::vector<std::uint8_t> ReadFileBytes(
    const std::filesystem::path& path,
    std::uintmax_t max_bytes = std::numeric_limits<std::uintmax_t>::max());

void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// The message texts of the two failures, for callers that report them themselves.
std::string CannotReadMessage(const std::filesystem::path& path, std::string_view reason);
std::string CannotWriteMessage(const std::filesystem::path& path, std::string_view reason);

}  // namespace tavrix
