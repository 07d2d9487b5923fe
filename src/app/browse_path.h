// The browser's paths: a volume (a drive "C:" on Windows, a mount point on Linux) followed by
// folder names, joined with the platform's separator and without a final separator. From a path
// and the mounted volumes this builds the items of the drive and folder combo, and it gives the
// paths that choosing a combo item or opening ".." or a folder leads to.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavrix::app {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The combo's picture numbers of the volume kinds; an unknown kind has no caption and no picture.
enum class VolumeKind { kLocal = 0, kCdRom = 1, kRemovable = 2, kNetwork = 3, kUnknown = -1 };
inline constexpr int kFolderPicture = 4;
inline constexpr int kNoPicture = -1;

struct Volume {
  std::string root;  // "C:", "/", "/media/stick" (UTF-8, no final separator but for "/")
  VolumeKind kind = VolumeKind::kUnknown;
};

struct BrowsePath {
  std::string volume;                // the first component
  std::vector<std::string> folders;  // the folder names below it, top first
};

// Splits the path into the deepest volume that holds it and the folder names below. A path on
// no listed volume is split at its first separator (on Linux its volume is then "/").
BrowsePath SplitPath(std::string_view path, const std::vector<Volume>& volumes);
// The volume and the first `depth` folders joined back (all folders by default).
std::string JoinPath(const BrowsePath& path, std::size_t depth = std::string::npos);

struct ComboItem {
  std::string caption;  // UTF-8
  int picture = kNoPicture;
  int indent = 0;    // in the combo's indentation steps
  std::string path;  // where choosing the item leads: a volume's root for indent 0
};

struct DriveCombo {
  std::vector<ComboItem> items;
  int selected = -1;  // none when the path's volume is not listed exactly
};

// Every volume in order, and after the one that equals the path's volume (exact comparison)
// its folders, each indented two steps deeper than the one above; the deepest item is selected.
DriveCombo BuildDriveCombo(const std::vector<Volume>& volumes, std::string_view path);

// Choosing a folder item: folders are dropped from the end of the working directory as long as
// the last one differs from the caption, so that of two folders of the same name on the path the
// lower one is kept. The volume always remains.
std::string PathAfterFolderChoice(std::string_view working_dir, std::string_view caption,
                                  const std::vector<Volume>& volumes);

// The parent of the working directory (the volume stays) and a folder inside it.
std::string ParentPath(std::string_view working_dir, const std::vector<Volume>& volumes);
std::string ChildPath(std::string_view working_dir, std::string_view folder,
                      const std::vector<Volume>& volumes);

// True when the path is below its volume's root, so its listing begins with "..".
bool HasParent(std::string_view path, const std::vector<Volume>& volumes);

}  // namespace tavrix::app
