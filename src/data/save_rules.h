// The rules for saving a downloaded dump with its passport as a data file: the characters a
// file name may not hold and the message that lists them, the target path (".rpk" appended
// unless the name ends in exactly ".rpk"), the overwrite question, and the save itself, which
// combines the dump file with the header value list. Message texts are UTF-8.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "data/passport.h"

namespace tavrix {

// Tested in this order.
inline constexpr std::string_view kForbiddenNameCharacters = "\\/:*?<>\"|";

inline constexpr std::string_view kSaveWarningTitle = "Предупреждение!";

inline constexpr std::string_view kOverwriteQuestion =
    "Файл с таким именем уже существует!.\r\n\r\nДля замены существующего файла нажмите "
    "\"Продолжить\".\r\n\r\nДля выхода и корректировки имени файла назмите \"Выход\".";

// The name proposed after a download (code page 1251): crane model (entry 5) + " №" + crane
// serial number (entry 6) + " " + the read-out date (the first 10 characters of entry 16) + ".rpk".
std::string ProposedFileName(const HeaderValueList& list);

// Each forbidden character that occurs in the name, once, in test order, as "\"c\" ".
std::string OffendingCharacters(std::string_view name);

// The warning for a name with forbidden characters; empty when the name has none.
std::string ForbiddenCharactersMessage(std::string_view name);

// The working directory joined with the name, ".rpk" appended unless the name's extension (from
// its last dot on, case included) is exactly ".rpk". The name is UTF-8.
std::filesystem::path DataFileTarget(const std::filesystem::path& working_dir,
                                     std::string_view name);

// Reads the dump file (a shorter one is padded with zeros) and writes the data file at `target`
// with the passport of `list`, replacing any file there. Throws Error, with a message that says
// which file failed and why, when the dump cannot be read or the target cannot be written; an
// earlier file at `target` is then left as it was.
void SaveDataFile(const std::filesystem::path& dump_file, const std::filesystem::path& target,
                  const HeaderValueList& list);

}  // namespace tavrix
