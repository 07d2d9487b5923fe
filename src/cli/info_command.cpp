// tavrix-cli info: the 17 passport entries of a data file.
#include <memory>

#include "cli/command.h"
#include "cli/output.h"
#include "core/file_io.h"

namespace tavrix::cli {
namespace {

struct InfoOptions {
  std::string file;
  bool json = false;
};

int Run(const InfoOptions& o, Streams& io) {
  HeaderValueList list;
  ReadPassport(PathFromUtf8(o.file), 0, kPassportEntries - 1, list);
  if (o.json) {
    io.out << "{" << EntriesJson(list) << "}\n";
  } else {
    PrintEntries(io.out, list);
  }
  return 0;
}

}  // namespace

Command AddInfoCommand(CLI::App& parent) {
  auto o = std::make_shared<InfoOptions>();
  CLI::App* app = parent.add_subcommand("info", "Show the passport of a data file (.rpk)");
  app->add_option("FILE", o->file, "Data file")->required();
  app->add_flag("--json", o->json, "Print JSON: {\"entries\": [17 strings]}");
  return {app, [o](Streams& io) { return Run(*o, io); }};
}

}  // namespace tavrix::cli
