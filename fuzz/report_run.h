// Report runs for the fuzz targets: the data file of each model as the generator and a save make
// it (logs and tables filled, header decoded into the passport), the report libraries that walk
// every table of such a file, and one report of a description list into the in-memory
// spreadsheet. The shipped libraries of the program directory are used where they have been
// built; otherwise each model gets the generated library with a line of every scalar keyword.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "data/model.h"
#include "report/description_list.h"
#include "support/memory_report_host.h"

namespace tavrix::fuzz {

std::vector<std::uint8_t> GeneratedDataFile(Model model);

report::DescriptionList LibraryOf(Model model);

// A host whose data file is `data.rpk` in a folder of its own.
class ReportRun {
 public:
  void WriteDataFile(const std::uint8_t* data, std::size_t size);
  std::filesystem::path DataFile() const { return host_.dir / host_.file_name; }

  // The report of a `model` data file over `lines` from a fresh spreadsheet; true when it was
  // made. A failed report must have told its host exactly once, a made one never.
  bool Report(Model model, const report::DescriptionList& lines);

 private:
  report::testing::TestHost host_;
};

}  // namespace tavrix::fuzz
