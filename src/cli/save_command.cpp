// tavrix-cli save: what a download followed by "Сохранить" does, without the window: detect and
// decode the dump, stamp the read-out time, apply the user's passport texts, and save the data
// file under the file-name rules.
#include <charconv>
#include <filesystem>
#include <memory>

#include "cli/command.h"
#include "cli/options.h"
#include "cli/output.h"
#include "core/cp1251.h"
#include "core/error.h"
#include "core/file_io.h"
#include "data/header_decoder.h"
#include "data/save_rules.h"

namespace tavrix::cli {
namespace {

struct SaveOptions {
  std::string dump, name, dir, model, now;
  std::vector<std::string> sets;
  bool force = false;
  bool json = false;
};

void ApplySet(const std::string& set, HeaderValueList& list) {
  const auto eq = set.find('=');
  std::size_t k = 0;
  const auto [end, ec] =
      std::from_chars(set.data(), set.data() + (eq == std::string::npos ? 0 : eq), k);
  if (eq == std::string::npos || ec != std::errc() || end != set.data() + eq || k < 1 ||
      k >= kPassportEntries) {
    throw UsageError("--set expects K=TEXT with K from 1 to 16, got \"" + set + "\"");
  }
  list[k] = Utf8ToCp1251(set.substr(eq + 1));
}

int Run(const SaveOptions& o, Streams& io) {
  const auto clock = ClockFromOption(o.now);
  const auto forced = ModelFromOption(o.model);
  HeaderValueList list;
  for (const std::string& set : o.sets) ApplySet(set, list);  // usage errors before any work

  if (const std::string message = ForbiddenCharactersMessage(o.name); !message.empty()) {
    throw Error(message);
  }
  const std::filesystem::path target = DataFileTarget(PathFromUtf8(o.dir), o.name);
  std::error_code ec;
  if (std::filesystem::exists(target, ec) && !o.force) {
    throw Error(PathToUtf8(target) + ": a file with this name exists; --force replaces it");
  }

  const Dump dump = LoadDump(PathFromUtf8(o.dump));
  WarnAboutDumpSize(io.err, o.dump, dump);
  list = {};
  if (forced) {
    SelectModel(*forced, dump.view(), *clock, list);
  } else if (!DetectAndDecode(dump.view(), *clock, list)) {
    io.err << "tavrix-cli: warning: no model recognised; the data file names its model \"нет\" "
              "(--model chooses one)\n";
  }
  list[kEntryReadoutTime] = FormatReadoutTime(clock->Now());
  for (const std::string& set : o.sets) ApplySet(set, list);

  WriteDataFile(target, dump.bytes, list);
  if (o.json) {
    io.out << "{\"file\": " << JsonString(PathToUtf8(target)) << ", " << EntriesJson(list) << "}\n";
  } else {
    io.out << PathToUtf8(target) << "\n";
  }
  return 0;
}

}  // namespace

Command AddSaveCommand(CLI::App& parent) {
  auto o = std::make_shared<SaveOptions>();
  CLI::App* app = parent.add_subcommand(
      "save",
      "Save a dump with its passport as a data file, as \"Сохранить\" does after a download");
  app->add_option("DUMP", o->dump, "Dump file (default.tmp or any memory image)")->required();
  app->add_option("NAME", o->name,
                  "File name; \".rpk\" is appended unless it ends in exactly \".rpk\"")
      ->required();
  app->add_option("--dir", o->dir, "Working directory to save in (default: the current folder)");
  AddModelOption(*app, o->model);
  app->add_option("--set", o->sets,
                  "Passport entry K=TEXT (K 1..16), applied after decoding; may be repeated");
  AddNowOption(*app, o->now);
  app->add_flag("--force", o->force, "Replace an existing data file of that name");
  app->add_flag("--json", o->json, "Print JSON: {\"file\": path, \"entries\": [17 strings]}");
  return {app, [o](Streams& io) { return Run(*o, io); }};
}

}  // namespace tavrix::cli
