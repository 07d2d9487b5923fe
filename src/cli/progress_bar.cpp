#include "cli/progress_bar.h"

#include <algorithm>
#include <cstdio>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace tavrix::cli {
namespace {

constexpr int kBarWidth = 20;

}  // namespace

bool StderrIsTerminal() {
#ifdef _WIN32
  return _isatty(2) != 0;
#else
  return ::isatty(2) != 0;
#endif
}

void ProgressBar::Draw(int percent, std::string_view message) {
  percent = std::clamp(percent, 0, 100);
  const int filled = percent * kBarWidth / 100;
  char number[8];
  std::snprintf(number, sizeof number, "%3d%% ", percent);
  const std::string line = "[" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') +
                           "] " + number + std::string(message);
  if (drawn_ && line == last_) return;
  if (live_) {
    err_ << "\r\033[K" << line << std::flush;
  } else {
    err_ << line << "\n";
  }
  last_ = line;
  drawn_ = true;
}

void ProgressBar::Close() {
  if (live_ && drawn_) err_ << "\n";
  drawn_ = false;
  last_.clear();
}

}  // namespace tavrix::cli
