#include "app/file_list.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <string>

#include "core/cp1251.h"

namespace tavrix::app {
namespace {

unsigned char FoldLatin(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

FileEntry MakeEntry(const QFileInfo& info, const QString& caption, EntryKind kind) {
  return {caption, kind, ListDateText(info.lastModified()),
          kind == EntryKind::kDataFile ? DataFileTypeText() : FolderTypeText()};
}

// A bare drive ("C:") names the current folder of that drive; its root is meant.
QString ListingPath(const QString& path) {
  return path.endsWith(QLatin1Char(':')) ? path + QLatin1Char('/') : path;
}

}  // namespace

QString FolderTypeText() { return QStringLiteral("Папка"); }
QString DataFileTypeText() { return QStringLiteral("Файл ЖУВ-6"); }

QString ListDateText(const QDateTime& time) {
  return time.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm"));
}

int CompareListTexts(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char x = FoldLatin(a[i]), y = FoldLatin(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

void SortFileEntries(std::vector<FileEntry>& entries) {
  // Each text is converted once, not at every comparison.
  struct Keyed {
    std::string caption, type;
    FileEntry entry;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(entries.size());
  for (FileEntry& e : entries) {
    keyed.push_back(
        {Utf8ToCp1251(e.caption.toStdString()), Utf8ToCp1251(e.type.toStdString()), std::move(e)});
  }
  std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& x, const Keyed& y) {
    return CompareListTexts(x.caption, y.caption) < 0;
  });
  std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& x, const Keyed& y) {
    return CompareListTexts(x.type, y.type) < 0;
  });
  for (std::size_t i = 0; i < keyed.size(); ++i) entries[i] = std::move(keyed[i].entry);
}

std::vector<FileEntry> ListFolder(const QString& path, bool with_parent) {
  const QDir dir(ListingPath(path));
  std::vector<FileEntry> entries;
  if (!dir.exists() || !dir.isReadable()) return entries;
  if (with_parent) {
    entries.push_back(MakeEntry(QFileInfo(dir.filePath(QStringLiteral(".."))), QStringLiteral(".."),
                                EntryKind::kParent));
  }
  const QFileInfoList infos =
      dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  for (const QFileInfo& info : infos) {
    if (info.isDir()) {
      entries.push_back(MakeEntry(info, info.fileName(), EntryKind::kFolder));
    } else if (info.fileName().endsWith(QLatin1String(".rpk"), Qt::CaseInsensitive)) {
      entries.push_back(MakeEntry(info, info.fileName(), EntryKind::kDataFile));
    }
  }
  SortFileEntries(entries);
  return entries;
}

}  // namespace tavrix::app
