// Fuzz target: an INI profile (bytes) parsed, read, written and serialized. Besides not
// crashing, a written key must read back as written, and a serialized profile must parse and
// serialize to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/cp1251.h"
#include "core/ini_file.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using tavrix::IniFile;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  IniFile ini = IniFile::Parse(bytes);

  const std::string section = tavrix::Utf8ToCp1251("Настройки");
  const std::string key = tavrix::Utf8ToCp1251("Рабочая директория");
  (void)ini.ReadInteger(section, tavrix::Utf8ToCp1251("Вид списка файлов"), 3);
  (void)ini.ReadBool(section, tavrix::Utf8ToCp1251("Включить подсказки"), true);
  (void)ini.ReadString(section, "SerialPorts", "");

  // The value the settings write at close: a folder name taken from the input's first line.
  const std::string value = "/media/" + std::string(bytes.substr(0, bytes.find_first_of("\r\n")));
  ini.WriteString(section, key, value);
  ini.WriteInteger(section, tavrix::Utf8ToCp1251("Вид списка файлов"), 2);

  const std::string written = ini.Serialize();
  const IniFile reread = IniFile::Parse(written);
  Require(reread.Serialize() == written);
  if (value.find_first_of("\r\n") == std::string::npos) {
    Require(reread.Find(section, key).has_value());
  }
  Require(reread.ReadInteger(section, tavrix::Utf8ToCp1251("Вид списка файлов"), 0) == 2);
  return 0;
}
