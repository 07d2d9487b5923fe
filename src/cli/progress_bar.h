// The progress bar that long commands draw on stderr: redrawn in place on a terminal, one line
// a step elsewhere (a log or a test), so that what was shown can be read back.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace tavrix::cli {

bool StderrIsTerminal();

class ProgressBar {
 public:
  ProgressBar(std::ostream& err, bool live) : err_(err), live_(live) {}
  // "[#####...............]  25% message"; a repeat of the last line draws nothing.
  void Draw(int percent, std::string_view message);
  // Ends a bar drawn in place with a line break.
  void Close();

 private:
  std::ostream& err_;
  bool live_;
  bool drawn_ = false;
  std::string last_;
};

}  // namespace tavrix::cli
