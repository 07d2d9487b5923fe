#include "app/browse_path.h"

#include <algorithm>

namespace tavrix::app {
namespace {

bool Holds(std::string_view root, std::string_view path) {
  if (!path.starts_with(root)) return false;
  if (path.size() == root.size() || root.ends_with(kPathSeparator)) return true;
  return path[root.size()] == kPathSeparator;
}

std::vector<std::string> SplitFolders(std::string_view rest) {
  std::vector<std::string> folders;
  std::size_t start = 0;
  while (start <= rest.size()) {
    const std::size_t end = std::min(rest.find(kPathSeparator, start), rest.size());
    if (end > start) folders.emplace_back(rest.substr(start, end - start));
    start = end + 1;
  }
  return folders;
}

std::string_view CaptionPrefix(VolumeKind kind) {
  switch (kind) {
    case VolumeKind::kLocal:
      return "Локальный диск (";
    case VolumeKind::kCdRom:
      return "CD-ROM дисковод (";
    case VolumeKind::kRemovable:
      return "Съемный диск (";
    case VolumeKind::kNetwork:
      return "Сетевой диск (";
    case VolumeKind::kUnknown:
      break;
  }
  return {};
}

}  // namespace

BrowsePath SplitPath(std::string_view path, const std::vector<Volume>& volumes) {
  const Volume* best = nullptr;
  for (const Volume& v : volumes) {
    if (Holds(v.root, path) && (best == nullptr || v.root.size() > best->root.size())) best = &v;
  }
  BrowsePath result;
  std::size_t rest = 0;
  if (best != nullptr) {
    result.volume = best->root;
    rest = best->root.size();
  } else if (!path.empty() && path.front() == kPathSeparator) {
    result.volume = std::string(1, kPathSeparator);
    rest = 1;
  } else {
    rest = std::min(path.find(kPathSeparator), path.size());
    result.volume = std::string(path.substr(0, rest));
  }
  result.folders = SplitFolders(path.substr(rest));
  return result;
}

std::string JoinPath(const BrowsePath& path, std::size_t depth) {
  std::string text = path.volume;
  for (std::size_t k = 0; k < path.folders.size() && k < depth; ++k) {
    if (!text.ends_with(kPathSeparator)) text += kPathSeparator;
    text += path.folders[k];
  }
  return text;
}

DriveCombo BuildDriveCombo(const std::vector<Volume>& volumes, std::string_view path) {
  const BrowsePath split = SplitPath(path, volumes);
  DriveCombo combo;
  for (const Volume& v : volumes) {
    ComboItem drive;
    drive.path = v.root;
    if (v.kind != VolumeKind::kUnknown) {
      drive.caption = std::string(CaptionPrefix(v.kind)) + v.root + ")";
      drive.picture = static_cast<int>(v.kind);
    }
    combo.items.push_back(std::move(drive));
    if (v.root != split.volume) continue;
    for (std::size_t k = 1; k <= split.folders.size(); ++k) {
      combo.items.push_back({.caption = split.folders[k - 1],
                             .picture = kFolderPicture,
                             .indent = 2 * static_cast<int>(k),
                             .path = JoinPath(split, k)});
    }
    combo.selected = static_cast<int>(combo.items.size()) - 1;
  }
  return combo;
}

std::string PathAfterFolderChoice(std::string_view working_dir, std::string_view caption,
                                  const std::vector<Volume>& volumes) {
  BrowsePath split = SplitPath(working_dir, volumes);
  while (!split.folders.empty() && split.folders.back() != caption) split.folders.pop_back();
  return JoinPath(split);
}

std::string ParentPath(std::string_view working_dir, const std::vector<Volume>& volumes) {
  BrowsePath split = SplitPath(working_dir, volumes);
  if (!split.folders.empty()) split.folders.pop_back();
  return JoinPath(split);
}

std::string ChildPath(std::string_view working_dir, std::string_view folder,
                      const std::vector<Volume>& volumes) {
  BrowsePath split = SplitPath(working_dir, volumes);
  split.folders.emplace_back(folder);
  return JoinPath(split);
}

bool HasParent(std::string_view path, const std::vector<Volume>& volumes) {
  return !SplitPath(path, volumes).folders.empty();
}

}  // namespace tavrix::app
