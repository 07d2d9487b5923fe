// tavrix-cli detect: the model of a dump, the failing blocks of every model, and the header
// value list as the decoder leaves it.
#include <memory>

#include "cli/command.h"
#include "cli/options.h"
#include "cli/output.h"
#include "core/file_io.h"
#include "data/dump.h"
#include "data/header_decoder.h"

namespace tavrix::cli {
namespace {

struct DetectOptions {
  std::string dump, model, now;
  bool json = false;
};

int Run(const DetectOptions& o, Streams& io) {
  const auto clock = ClockFromOption(o.now);
  const auto forced = ModelFromOption(o.model);
  const Dump dump = LoadDump(PathFromUtf8(o.dump));
  WarnAboutDumpSize(io.err, o.dump, dump);
  HeaderValueList list;
  if (forced) {
    SelectModel(*forced, dump.view(), *clock, list);
  } else {
    DetectAndDecode(dump.view(), *clock, list);
  }
  PrintDetection(io.out, dump.view(), list, o.json);
  return 0;
}

}  // namespace

Command AddDetectCommand(CLI::App& parent) {
  auto o = std::make_shared<DetectOptions>();
  CLI::App* app = parent.add_subcommand(
      "detect", "Tell the limiter model of a dump and decode its header into the 17 entries");
  app->add_option("DUMP", o->dump, "Dump file (a memory image such as default.tmp)")->required();
  AddModelOption(*app, o->model);
  AddNowOption(*app, o->now);
  app->add_flag("--json", o->json, "Print JSON: {\"model\", \"failing\", \"entries\"}");
  return {app, [o](Streams& io) { return Run(*o, io); }};
}

}  // namespace tavrix::cli
