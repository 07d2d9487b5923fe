// The termios settings of a terminal device as another opener sees them, for tests that check
// what the serial port applied and put back.
#pragma once

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <string>

namespace tavrix::testing {

inline termios SettingsOf(const std::string& path) {
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
  termios t{};
  tcgetattr(fd, &t);
  close(fd);
  return t;
}

}  // namespace tavrix::testing
