// An INI profile (Tavrix.ini, VersionRP.ini) read and written by the Windows profile rules:
// code page 1251 bytes on disk; section and key names compared without regard to case; blanks
// around names and values trimmed, and one pair of matching quotes around a value removed;
// lines starting with ';' are comments; the first matching section and key count.
// All names and values passed in and out are code page 1251 texts. Writing a key changes its
// line only (or adds it at the end of its section, or a new section at the end of the file);
// every other line, comments included, is kept as it was. A missing file reads as empty.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrix {

class IniFile {
 public:
  IniFile() = default;

  // Loads the file; a missing file gives an empty profile. Throws Error when it exists but
  // cannot be read.
  static IniFile Load(const std::filesystem::path& path);
  static IniFile Parse(std::string_view bytes);

  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view default_value) const;
  // A value that is not a decimal integer gives the default, as a missing key does.
  long ReadInteger(std::string_view section, std::string_view key, long default_value) const;
  bool ReadBool(std::string_view section, std::string_view key, bool default_value) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, long value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  // The profile's bytes, lines ended with CR LF; Save writes them atomically.
  std::string Serialize() const;
  void Save(const std::filesystem::path& path) const;

 private:
  struct Line {
    std::string text;     // the line as stored, without its line break
    std::string section;  // folded name, for a section header line
    std::string key;      // folded name, for a key line
    bool is_section = false;
    bool is_key = false;
  };
  static Line Classify(std::string text);
  // The index of the section header line, or npos.
  std::size_t FindSection(std::string_view folded_section) const;
  // The index of the key line inside the section that starts at `section_line`, or npos.
  std::size_t FindKey(std::size_t section_line, std::string_view folded_key) const;

  std::vector<Line> lines_;
};

}  // namespace tavrix
