// Runs tavrix-cli in-process with the given arguments and returns its exit code and output.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace tavrix::testing {

struct CliResult {
  int code;
  std::string out, err;
};

inline CliResult Cli(std::vector<std::string> args) {
  args.insert(args.begin(), "tavrix-cli");
  std::vector<const char*> argv;
  for (const auto& a : args) argv.push_back(a.c_str());
  std::ostringstream out, err;
  const int code = cli::RunCli(static_cast<int>(argv.size()), argv.data(), out, err);
  return {code, out.str(), err.str()};
}

}  // namespace tavrix::testing
