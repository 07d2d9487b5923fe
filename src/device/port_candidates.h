// The ports that a download scans for the transfer unit, in scan order, at most 55. On Windows
// "\\.\COM0" to "\\.\COM54". Elsewhere the device paths that Tavrix.ini lists (section
// "Настройки", key SerialPorts, paths separated by ';') or, without that list, the serial
// devices of the system: /dev/ttyUSB*, then /dev/ttyACM*, then /dev/ttyS*, each by number.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini_file.h"

namespace tavrix {

struct PortCandidate {
  std::string device;   // the name the port is opened by (UTF-8)
  std::string display;  // the name the status line shows: "COM3", "/dev/ttyUSB0"

  bool operator==(const PortCandidate&) const = default;
};

inline constexpr std::size_t kMaxPortCandidates = 55;
inline constexpr std::string_view kSettingsSection = "Настройки";  // UTF-8
inline constexpr std::string_view kPortListKey = "SerialPorts";

// A port named by the user: on Windows "COM3" is opened as "\\.\COM3"; anything else is
// opened by the name as given.
PortCandidate PortNamed(std::string_view name);

std::vector<PortCandidate> WindowsPortCandidates();

// The ports of a ';'-separated list (UTF-8); blanks around names and empty names are dropped.
std::vector<PortCandidate> PortListCandidates(std::string_view list);

// The serial devices in `dev`, in the order above.
std::vector<PortCandidate> SystemSerialDevices(const std::filesystem::path& dev = "/dev");

// This platform's candidates, with the settings of Tavrix.ini where the platform reads them.
std::vector<PortCandidate> PortCandidates(const IniFile& settings);

}  // namespace tavrix
