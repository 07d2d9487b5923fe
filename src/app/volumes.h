// The mounted volumes that the drive combo lists: the root volume first, then the other mount
// points in name order, each with its kind. The kind is told from the file system type, the
// device's removable flag and the place it is mounted at, since the system keeps no drive type.
#pragma once

#include <string_view>
#include <vector>

#include "app/browse_path.h"

namespace tavrix::app {

struct VolumeFacts {
  std::string_view file_system;  // "ext4", "iso9660", "nfs4", "tmpfs", ...
  std::string_view device;       // "/dev/sda1", "server:/export", ...
  std::string_view root;         // the mount point
  bool removable_device = false;
};

VolumeKind ClassifyVolume(const VolumeFacts& facts);

// Root first, then the rest by mount point; mount points that are not folders are left out.
std::vector<Volume> MountedVolumes();

}  // namespace tavrix::app
