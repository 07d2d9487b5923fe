// tavrix-cli as a function, so that tests run it in-process: parses the arguments, runs the
// chosen command and returns the exit code (0 success, 1 failure, 2 usage error).
#pragma once

#include <ostream>

namespace tavrix::cli {

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace tavrix::cli
