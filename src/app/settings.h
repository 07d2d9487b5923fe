// The desktop application's settings, kept in Tavrix.ini in the program directory, section
// "Настройки": the tips switch, the file list's view style and the working directory, read when
// the main window is built and written when it closes. Odd values fall back to the defaults the
// way the main window applies them (a view style other than 0, 2 or 3 is the report view).
#pragma once

#include <filesystem>
#include <string>

namespace tavrix::app {

inline constexpr char kSettingsFileName[] = "Tavrix.ini";

// The list control's view style numbers: 1 (small icons) is never set by the program.
enum class ViewStyle { kIcon = 0, kList = 2, kReport = 3 };

struct Settings {
  bool balloons = true;
  ViewStyle view_style = ViewStyle::kReport;
  std::string working_dir;  // UTF-8
  // Where the mail and web icons lead; read only, never written back.
  std::string support_mail = "support@example.com";
  std::string library_host = "www.example.com";
};

// The view style a stored number stands for.
ViewStyle ViewStyleFromNumber(long number);

// Reads the settings; a missing file or key gives the default, the working directory's default
// being the program directory. Throws Error when the file exists but cannot be read.
Settings LoadSettings(const std::filesystem::path& program_dir);

// Writes the tips switch, the view style and the working directory, keeping every other line of
// the file. Throws Error when the file cannot be written.
void SaveSettings(const std::filesystem::path& program_dir, const Settings& settings);

}  // namespace tavrix::app
