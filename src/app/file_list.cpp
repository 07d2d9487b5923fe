#include "app/file_list.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace tavrix::app {
namespace {

char16_t FoldLatin(char16_t c) { return c >= u'a' && c <= u'z' ? c - u'a' + u'A' : c; }

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

int CompareListTexts(const QString& a, const QString& b) {
  const qsizetype n = std::min(a.size(), b.size());
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t x = FoldLatin(a[i].unicode()), y = FoldLatin(b[i].unicode());
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

void SortFileEntries(std::vector<FileEntry>& entries) {
  std::stable_sort(entries.begin(), entries.end(), [](const FileEntry& x, const FileEntry& y) {
    return CompareListTexts(x.caption, y.caption) < 0;
  });
  std::stable_sort(entries.begin(), entries.end(), [](const FileEntry& x, const FileEntry& y) {
    return CompareListTexts(x.type, y.type) < 0;
  });
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
