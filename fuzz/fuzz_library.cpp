// Fuzz target: a report library (bytes, scrambled as the file holds it) unscrambled, split into
// the description list and walked by the report job over the generated data file of each model,
// into the in-memory spreadsheet.
#include <array>
#include <cstdint>

#include "report/description_list.h"
#include "report/unscramble.h"
#include "report_run.h"

namespace {

std::array<tavrix::fuzz::ReportRun, 4> runs;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  for (const tavrix::Model m : tavrix::kModels) {
    const auto data_file = tavrix::fuzz::GeneratedDataFile(m);
    runs[static_cast<std::size_t>(tavrix::Tag(m))].WriteDataFile(data_file.data(),
                                                                 data_file.size());
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const tavrix::report::DescriptionList lines =
      tavrix::report::SplitLines(tavrix::report::Unscramble({data, size}));
  for (const tavrix::Model m : tavrix::kModels) {
    runs[static_cast<std::size_t>(tavrix::Tag(m))].Report(m, lines);
  }
  return 0;
}
