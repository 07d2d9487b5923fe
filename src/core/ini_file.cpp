#include "core/ini_file.h"

#include <charconv>
#include <system_error>

#include "core/cp1251.h"
#include "core/file_io.h"

namespace tavrix {
namespace {

constexpr std::size_t kNone = std::string::npos;

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == kNone) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string Folded(std::string_view name) { return FoldCase1251(Trim(name)); }

std::string_view ValueOf(std::string_view line) {
  std::string_view value = Trim(line.substr(line.find('=') + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

IniFile IniFile::Load(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return {};
  const auto bytes = ReadFileBytes(path);
  return Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

IniFile IniFile::Parse(std::string_view bytes) {
  IniFile ini;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == kNone) end = bytes.size();
    ini.lines_.push_back(Classify(std::string(bytes.substr(start, end - start))));
    start = end;
    if (start < bytes.size() && bytes[start] == '\r') ++start;
    if (start < bytes.size() && bytes[start] == '\n') ++start;
  }
  return ini;
}

IniFile::Line IniFile::Classify(std::string text) {
  Line line;
  const std::string_view t = Trim(text);
  if (!t.empty() && t.front() == '[') {
    line.is_section = true;
    line.section = Folded(t.substr(1, t.find(']') == kNone ? kNone : t.find(']') - 1));
  } else if (!t.empty() && t.front() != ';' && t.find('=') != kNone) {
    line.key = Folded(t.substr(0, t.find('=')));
    line.is_key = !line.key.empty();
  }
  line.text = std::move(text);
  return line;
}

std::size_t IniFile::FindSection(std::string_view folded_section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].is_section && lines_[i].section == folded_section) return i;
  }
  return kNone;
}

std::size_t IniFile::FindKey(std::size_t section_line, std::string_view folded_key) const {
  for (std::size_t i = section_line + 1; i < lines_.size() && !lines_[i].is_section; ++i) {
    if (lines_[i].is_key && lines_[i].key == folded_key) return i;
  }
  return kNone;
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const {
  const std::size_t s = FindSection(Folded(section));
  if (s == kNone) return std::nullopt;
  const std::size_t k = FindKey(s, Folded(key));
  if (k == kNone) return std::nullopt;
  return std::string(ValueOf(lines_[k].text));
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view default_value) const {
  return Find(section, key).value_or(std::string(default_value));
}

long IniFile::ReadInteger(std::string_view section, std::string_view key,
                          long default_value) const {
  const auto text = Find(section, key);
  if (!text) return default_value;
  long value = 0;
  const char* end = text->data() + text->size();
  const auto [ptr, ec] = std::from_chars(text->data(), end, value);
  return ec == std::errc() && ptr == end ? value : default_value;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool default_value) const {
  return ReadInteger(section, key, default_value ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string key_line = std::string(Trim(key)) + "=" + std::string(value);
  std::size_t s = FindSection(Folded(section));
  if (s == kNone) {
    lines_.push_back(Classify("[" + std::string(Trim(section)) + "]"));
    lines_.push_back(Classify(key_line));
    return;
  }
  if (const std::size_t k = FindKey(s, Folded(key)); k != kNone) {
    lines_[k] = Classify(key_line);
    return;
  }
  // A new key goes after the section's last line that is not blank.
  std::size_t last = s;
  for (std::size_t i = s + 1; i < lines_.size() && !lines_[i].is_section; ++i) {
    if (!Trim(lines_[i].text).empty()) last = i;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(last + 1), Classify(key_line));
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, long value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

std::string IniFile::Serialize() const {
  std::string out;
  for (const Line& line : lines_) out += line.text + "\r\n";
  return out;
}

void IniFile::Save(const std::filesystem::path& path) const {
  const std::string bytes = Serialize();
  WriteFileAtomically(path,
                      std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

}  // namespace tavrix
