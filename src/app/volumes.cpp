#include "app/volumes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>
#include <array>
#include <cctype>

namespace tavrix::app {
namespace {

constexpr std::array<std::string_view, 3> kCdFileSystems = {"iso9660", "udf", "cdfs"};
constexpr std::array<std::string_view, 9> kNetworkFileSystems = {
    "nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs", "9p", "afs", "ceph"};
// File systems that keep their data in memory, listed as drives of no known kind.
constexpr std::array<std::string_view, 3> kMemoryFileSystems = {"tmpfs", "ramfs", "devtmpfs"};

// Names compared without regard to case: Windows reports "CDFS" and "UDF".
template <std::size_t N>
bool OneOf(std::string_view name, const std::array<std::string_view, N>& names) {
  return std::any_of(names.begin(), names.end(), [&](std::string_view known) {
    return std::equal(name.begin(), name.end(), known.begin(), known.end(), [](char a, char b) {
      return std::tolower(static_cast<unsigned char>(a)) == b;
    });
  });
}

// The block device's own removable flag (/sys/block/<disk>/removable), for a partition too.
bool DeviceIsRemovable(const QString& device) {
  if (!device.startsWith(QLatin1String("/dev/"))) return false;
  QString disk = QFileInfo(device).canonicalFilePath().section(QLatin1Char('/'), -1);
  while (!disk.isEmpty()) {
    QFile flag(QStringLiteral("/sys/block/%1/removable").arg(disk));
    if (flag.open(QIODevice::ReadOnly)) return flag.readAll().trimmed() == "1";
    disk.chop(1);  // sdb1 -> sdb, mmcblk0p1 -> mmcblk0p -> mmcblk0
  }
  return false;
}

std::string RootText(const QString& root) {
  QString text = QDir::toNativeSeparators(root);
  if (text.size() > 1 && text.endsWith(QChar::fromLatin1(kPathSeparator))) text.chop(1);
  return text.toStdString();
}

}  // namespace

VolumeKind ClassifyVolume(const VolumeFacts& facts) {
  if (OneOf(facts.file_system, kCdFileSystems)) return VolumeKind::kCdRom;
  if (OneOf(facts.file_system, kNetworkFileSystems)) return VolumeKind::kNetwork;
  if (OneOf(facts.file_system, kMemoryFileSystems)) return VolumeKind::kUnknown;
  if (facts.removable_device || facts.root.starts_with("/media/") ||
      facts.root.starts_with("/run/media/")) {
    return VolumeKind::kRemovable;
  }
  return VolumeKind::kLocal;
}

std::vector<Volume> MountedVolumes() {
  std::vector<Volume> volumes;
  for (const QStorageInfo& info : QStorageInfo::mountedVolumes()) {
    if (!info.isValid() || !QFileInfo(info.rootPath()).isDir()) continue;
    const std::string root = RootText(info.rootPath());
    if (std::any_of(volumes.begin(), volumes.end(),
                    [&](const Volume& v) { return v.root == root; })) {
      continue;  // the same folder mounted twice: the first mount is the one seen
    }
    const QByteArray fs = info.fileSystemType();
    const QByteArray device = info.device();
    const VolumeKind kind =
        ClassifyVolume({.file_system = std::string_view(fs.constData(), fs.size()),
                        .device = std::string_view(device.constData(), device.size()),
                        .root = root,
                        .removable_device = DeviceIsRemovable(QString::fromLocal8Bit(device))});
    volumes.push_back({root, kind});
  }
  // "/" is a prefix of every other mount point, so name order puts the root first; on Windows
  // it is the order of the drive letters.
  std::sort(volumes.begin(), volumes.end(),
            [](const Volume& a, const Volume& b) { return a.root < b.root; });
  return volumes;
}

}  // namespace tavrix::app
