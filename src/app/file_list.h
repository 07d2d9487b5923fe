// The entries of the file list: "..", the folders and the ".rpk" data files of one folder, each
// with its last-write time as "dd.mm.yyyy hh:mm" and its type text, sorted folders first and
// each group by name. Names compare by their code page 1251 character codes, ignoring case for
// the letters a to z only.
#pragma once

#include <QDateTime>
#include <QString>
#include <string_view>
#include <vector>

namespace tavrix::app {

// Also the entry's picture number in the folder image lists.
enum class EntryKind { kParent = 0, kFolder = 1, kDataFile = 2 };

struct FileEntry {
  QString caption;
  EntryKind kind = EntryKind::kFolder;
  QString date;  // sub-item 0
  QString type;  // sub-item 1: "Папка" or "Файл ЖУВ-6"
};

QString FolderTypeText();
QString DataFileTypeText();

// "dd.mm.yyyy hh:mm" in local time.
QString ListDateText(const QDateTime& time);

// Code page 1251 texts compared byte by byte, a..z folded to A..Z; negative when a sorts first.
int CompareListTexts(std::string_view a, std::string_view b);

// The list's two stable sorts: by caption, then by type text.
void SortFileEntries(std::vector<FileEntry>& entries);

// The sorted entries of the folder, with ".." when `with_parent`. A folder whose name ends in
// ".rpk" is listed once, as a folder. A folder that cannot be read gives no entries.
std::vector<FileEntry> ListFolder(const QString& path, bool with_parent);

}  // namespace tavrix::app
