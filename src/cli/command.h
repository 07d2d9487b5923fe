// The shape of a tavrix-cli command: each command adds its subcommand and options to the
// application and returns the function that runs it after parsing. A command reports failures by
// throwing Error (exit 1) or UsageError (exit 2); everything it prints is UTF-8.
#pragma once

#include <functional>
#include <ostream>
#include <stdexcept>

#include <CLI/CLI.hpp>

namespace tavrix::cli {

struct Streams {
  std::ostream& out;
  std::ostream& err;
};

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Command {
  CLI::App* app;
  std::function<int(Streams&)> run;
};

Command AddDetectCommand(CLI::App& parent);
Command AddInfoCommand(CLI::App& parent);
Command AddReadCommand(CLI::App& parent);
Command AddReportCommand(CLI::App& parent);
Command AddSaveCommand(CLI::App& parent);
Command AddScrambleCommand(CLI::App& parent);
Command AddUnscrambleCommand(CLI::App& parent);

}  // namespace tavrix::cli
