// Playing a sound file without waiting for it, as the end of a download or a report does. A file
// that is missing or cannot be played, or a machine without an audio device, stays silent and
// raises no error.
#pragma once

#include <filesystem>

namespace tavrix::app {

void PlaySoundAsync(const std::filesystem::path& wav);

}  // namespace tavrix::app
