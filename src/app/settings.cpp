#include "app/settings.h"

#include "core/cp1251.h"
#include "core/file_io.h"
#include "core/ini_file.h"

namespace tavrix::app {
namespace {

// The section and key names, in code page 1251 as the file holds them.
struct Names {
  std::string section = Utf8ToCp1251("Настройки");
  std::string balloons = Utf8ToCp1251("Включить подсказки");
  std::string view_style = Utf8ToCp1251("Вид списка файлов");
  std::string working_dir = Utf8ToCp1251("Рабочая директория");
  std::string support_mail = Utf8ToCp1251("Почта поддержки");
  std::string library_host = Utf8ToCp1251("Сайт библиотек");
};

const Names& Keys() {
  static const Names names;
  return names;
}

std::filesystem::path SettingsPath(const std::filesystem::path& program_dir) {
  return program_dir / kSettingsFileName;
}

}  // namespace

ViewStyle ViewStyleFromNumber(long number) {
  switch (number) {
    case 0:
      return ViewStyle::kIcon;
    case 2:
      return ViewStyle::kList;
    default:
      return ViewStyle::kReport;
  }
}

Settings LoadSettings(const std::filesystem::path& program_dir) {
  const IniFile ini = IniFile::Load(SettingsPath(program_dir));
  const Names& k = Keys();
  Settings s;
  s.balloons = ini.ReadBool(k.section, k.balloons, true);
  s.view_style = ViewStyleFromNumber(ini.ReadInteger(k.section, k.view_style, 3));
  s.working_dir =
      Cp1251ToUtf8(ini.ReadString(k.section, k.working_dir, Utf8ToCp1251(PathToUtf8(program_dir))));
  s.support_mail = Cp1251ToUtf8(ini.ReadString(k.section, k.support_mail, s.support_mail));
  s.library_host = Cp1251ToUtf8(ini.ReadString(k.section, k.library_host, s.library_host));
  return s;
}

void SaveSettings(const std::filesystem::path& program_dir, const Settings& settings) {
  const std::filesystem::path path = SettingsPath(program_dir);
  IniFile ini = IniFile::Load(path);
  const Names& k = Keys();
  ini.WriteBool(k.section, k.balloons, settings.balloons);
  ini.WriteInteger(k.section, k.view_style, static_cast<long>(settings.view_style));
  ini.WriteString(k.section, k.working_dir, Utf8ToCp1251(settings.working_dir));
  ini.Save(path);
}

}  // namespace tavrix::app
