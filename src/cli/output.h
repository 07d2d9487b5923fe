// What the commands print: the detection of a dump and the header value list, as numbered
// lines or as JSON, and the small JSON writing they need (UTF-8 strings, escaped as JSON requires).
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "data/dump.h"
#include "data/passport.h"

namespace tavrix::cli {

std::string JsonString(std::string_view utf8);

// `"entries": [...]` with the 17 entries converted to UTF-8.
std::string EntriesJson(const HeaderValueList& list);

// One line per entry: number, caption and text.
void PrintEntries(std::ostream& out, const HeaderValueList& list);

// What detect prints for a decoded dump: the model, the failing protected blocks of every
// model and the 17 entries; or the same as JSON: {"model", "failing", "entries"}.
void PrintDetection(std::ostream& out, const ByteView& dump, const HeaderValueList& list,
                    bool json);

// A warning on `err` when the dump file was not exactly one memory image long.
void WarnAboutDumpSize(std::ostream& err, std::string_view name, const Dump& dump);

}  // namespace tavrix::cli
