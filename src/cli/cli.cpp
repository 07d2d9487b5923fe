#include "cli/cli.h"

#include <vector>

#include "cli/command.h"
#include "core/error.h"

namespace tavrix::cli {
namespace {

// The system's messages end their lines with CR LF; a terminal wants LF.
std::string ForTerminal(std::string text) {
  for (auto pos = text.find("\r\n"); pos != std::string::npos; pos = text.find("\r\n", pos)) {
    text.erase(pos, 1);
  }
  return text;
}

}  // namespace

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app{"tavrix-cli: the work of Tavrix without a window, for batch work and tests.",
               "tavrix-cli"};
  app.require_subcommand(1);
  const std::vector<Command> commands = {AddDetectCommand(app),    AddInfoCommand(app),
                                         AddReadCommand(app),      AddReportCommand(app),
                                         AddSaveCommand(app),      AddScrambleCommand(app),
                                         AddUnscrambleCommand(app)};
  Streams streams{out, err};
  try {
    app.parse(argc, argv);
    for (const Command& command : commands) {
      if (command.app->parsed()) return command.run(streams);
    }
    return 2;
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return app.exit(e, out, err);
    err << "tavrix-cli: " << e.what() << "\nRun 'tavrix-cli --help' for usage.\n";
    return 2;
  } catch (const UsageError& e) {
    err << "tavrix-cli: " << e.what() << "\n";
    return 2;
  } catch (const Error& e) {
    err << "tavrix-cli: " << ForTerminal(e.what()) << "\n";
    return 1;
  }
}

}  // namespace tavrix::cli
