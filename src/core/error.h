// The error that the core layers throw when an operation cannot be done.
// Its message is UTF-8, complete and meant for the user (the front ends show it as it is:
// the desktop in the message window, the CLI as "tavrix-cli: <message>").
#pragma once

#include <stdexcept>
#include <string>

namespace tavrix {

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tavrix
