// tavrix-cli scramble / unscramble: a report library between its readable text and the
// scrambled file that Tavrix reads.
#include <memory>

#include "cli/command.h"
#include "core/file_io.h"
#include "report/unscramble.h"

namespace tavrix::cli {
namespace {

struct ScrambleOptions {
  std::string in;
  std::string out;
};

CLI::App* AddFiles(CLI::App& parent, const char* name, const char* description,
                   ScrambleOptions& o) {
  CLI::App* app = parent.add_subcommand(name, description);
  app->add_option("IN", o.in, "File to read")->required();
  app->add_option("OUT", o.out, "File to write (replaced only when the whole file is written)")
      ->required();
  return app;
}

}  // namespace

Command AddScrambleCommand(CLI::App& parent) {
  auto o = std::make_shared<ScrambleOptions>();
  CLI::App* app = AddFiles(parent, "scramble",
                           "Scramble a report library's text (code page 1251, no zero bytes) into "
                           "the library file that Tavrix reads",
                           *o);
  return {app, [o](Streams&) {
            const auto text = ReadFileBytes(PathFromUtf8(o->in));
            WriteFileAtomically(PathFromUtf8(o->out),
                                report::Scramble(std::string(text.begin(), text.end())));
            return 0;
          }};
}

Command AddUnscrambleCommand(CLI::App& parent) {
  auto o = std::make_shared<ScrambleOptions>();
  CLI::App* app =
      AddFiles(parent, "unscramble", "Unscramble a report library file into its readable text", *o);
  return {app, [o](Streams&) {
            const std::string text = report::Unscramble(ReadFileBytes(PathFromUtf8(o->in)));
            WriteFileAtomically(
                PathFromUtf8(o->out),
                std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
            return 0;
          }};
}

}  // namespace tavrix::cli
