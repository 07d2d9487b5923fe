#include "data/save_rules.h"

#include "core/error.h"
#include "core/file_io.h"
#include "data/dump.h"

namespace tavrix {

std::string ProposedFileName(const HeaderValueList& list) {
  constexpr char kNumberSign = '\xB9';  // "№" in code page 1251
  return list[5] + " " + kNumberSign + list[6] + " " + list[kEntryReadoutTime].substr(0, 10) +
         ".rpk";
}

std::string OffendingCharacters(std::string_view name) {
  std::string list;
  for (char c : kForbiddenNameCharacters) {
    if (name.find(c) != std::string_view::npos) list += std::string("\"") + c + "\" ";
  }
  return list;
}

std::string ForbiddenCharactersMessage(std::string_view name) {
  const std::string list = OffendingCharacters(name);
  if (list.empty()) return {};
  return "Вы использовали в имени файла следующие недопустимые символы: " + list +
         ".\r\n\r\nДля корректировки имени файла нажмите \"Продолжить\".\r\n\r\nДля выхода без "
         "сохранения данных назмите \"Выход\".";
}

std::filesystem::path DataFileTarget(const std::filesystem::path& working_dir,
                                     std::string_view name) {
  const auto dot = name.rfind('.');
  const bool has_rpk = dot != std::string_view::npos && name.substr(dot) == ".rpk";
  return working_dir / PathFromUtf8(has_rpk ? std::string(name) : std::string(name) + ".rpk");
}

void SaveDataFile(const std::filesystem::path& dump_file, const std::filesystem::path& target,
                  const HeaderValueList& list) {
  const Dump dump = LoadDump(dump_file);
  WriteDataFile(target, dump.bytes, list);
}

}  // namespace tavrix
