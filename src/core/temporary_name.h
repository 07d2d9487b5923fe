// The name of the temporary file that an atomic write fills before it replaces its target:
// ".tavrix-" and 16 random hexadecimal digits, ".tmp", in the target's folder. A writer opens
// it exclusively and draws a new name on the rare clash.
#pragma once

#include <filesystem>

namespace tavrix {

std::filesystem::path TemporaryName(const std::filesystem::path& folder);

// The folder an atomic write of `path` works in: its parent, or the current folder.
std::filesystem::path FolderOf(const std::filesystem::path& path);

}  // namespace tavrix
