#include "device/port_candidates.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <tuple>

#include "core/cp1251.h"
#include "core/file_io.h"

namespace tavrix {
namespace {

constexpr std::array<std::string_view, 3> kDeviceGroups = {"ttyUSB", "ttyACM", "ttyS"};

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

void Limit(std::vector<PortCandidate>& ports) {
  if (ports.size() > kMaxPortCandidates) ports.resize(kMaxPortCandidates);
}

}  // namespace

PortCandidate PortNamed(std::string_view name) {
#ifdef _WIN32
  // Device names are case-blind on Windows: "com3" is COM3 too.
  if (name.size() > 3 && FoldCase1251(name.substr(0, 3)) == FoldCase1251("COM")) {
    return {"\\\\.\\" + std::string(name), std::string(name)};
  }
#endif
  return {std::string(name), std::string(name)};
}

std::vector<PortCandidate> WindowsPortCandidates() {
  std::vector<PortCandidate> ports;
  for (std::size_t i = 0; i < kMaxPortCandidates; ++i) {
    const std::string name = "COM" + std::to_string(i);
    ports.push_back({"\\\\.\\" + name, name});
  }
  return ports;
}

std::vector<PortCandidate> PortListCandidates(std::string_view list) {
  std::vector<PortCandidate> ports;
  while (!list.empty()) {
    const auto end = std::min(list.find(';'), list.size());
    if (const auto name = Trimmed(list.substr(0, end)); !name.empty()) {
      ports.push_back(PortNamed(name));
    }
    list.remove_prefix(std::min(end + 1, list.size()));
  }
  Limit(ports);
  return ports;
}

std::vector<PortCandidate> SystemSerialDevices(const std::filesystem::path& dev) {
  // (group, number, name): a name is taken when it is a group's prefix followed by digits only.
  std::vector<std::tuple<std::size_t, unsigned, std::string>> found;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dev, ec)) {
    const std::string name = entry.path().filename().string();
    for (std::size_t g = 0; g < kDeviceGroups.size(); ++g) {
      const std::string_view prefix = kDeviceGroups[g];
      if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
      unsigned number = 0;
      const char* digits = name.data() + prefix.size();
      const auto [end, error] = std::from_chars(digits, name.data() + name.size(), number);
      if (error == std::errc() && end == name.data() + name.size()) {
        found.emplace_back(g, number, name);
      }
    }
  }
  std::sort(found.begin(), found.end());
  std::vector<PortCandidate> ports;
  for (const auto& [group, number, name] : found) {
    const std::string path = PathToUtf8(dev / name);
    ports.push_back({path, path});
  }
  Limit(ports);
  return ports;
}

std::vector<PortCandidate> PortCandidates([[maybe_unused]] const IniFile& settings) {
#ifdef _WIN32
  return WindowsPortCandidates();
#else
  const std::string list =
      Cp1251ToUtf8(settings.ReadString(Utf8ToCp1251(kSettingsSection), kPortListKey, ""));
  auto ports = PortListCandidates(list);
  return ports.empty() ? SystemSerialDevices() : ports;
#endif
}

}  // namespace tavrix
