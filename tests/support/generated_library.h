// Description lines that report every table of a generated recorder image: the model's
// operation-log line and an "AddrCycle" table with all five columns of each generated cycle
// table. Texts are UTF-8 with TAB-separated fields.
#pragma once

#include <string>
#include <vector>

#include "imagegen/recorder_tables.h"

namespace tavrix::testing {

inline std::vector<std::string> GeneratedImageLibrary(Model model) {
  std::vector<std::string> lines = {"template\treport.xlsx", "tables of a generated image"};
  switch (model) {
    case Model::k52A:
      break;
    case Model::k52D:
      lines.push_back("log\t\t\tOper52D");
      break;
    case Model::k52N:
      lines.push_back("log\t\t\tOper52N");
      break;
    case Model::k38:
      lines.push_back("log\t\t\tOper38");
      break;
  }
  int sheet = 5;
  for (const gen::CycleTableLayout& t : gen::CycleTablesOf(model)) {
    const auto n = [](auto v) { return std::to_string(v); };
    lines.push_back("cycles\t" + n(t.pointer) + "\t5\tAddrCycle\t" + n(t.pointer_width) + "\t" +
                    n(t.slots) + "\t" + n(sheet++) + "\tA2\tE" + n(t.slots + 1) + "\t" +
                    n(t.slot_size) + "\t" + n(t.slot_size - 1) + "\t" + n(t.base));
    lines.push_back("stamp\t0\t\tCycleDataTime\t6\t0\t\t0");
    lines.push_back("load\t6\t\tCycleInt\t2\t0.01\t\t1");
    lines.push_back("radius\t8\t\tCycleInt\t2\t0.01\t\t2");
    lines.push_back("cycle\t10\t\tCycleInt\t2\t1\t\t3");
    lines.push_back("flag\t12\t\tCycleBin\t1\t1\t1\t4");
  }
  return lines;
}

}  // namespace tavrix::testing
