// Fuzz target: a data file (bytes, as a ".rpk" file holds them) whose passport is read and which
// is walked by the report library of its model, as the report picks it: the model its passport
// names, else the one detected in its dump, else ЗУЛ-52А. Each of the four libraries is reached
// by the inputs of its model.
#include <array>
#include <cstdint>

#include "data/detection.h"
#include "data/passport.h"
#include "report_run.h"

namespace {

tavrix::fuzz::ReportRun run;
std::array<tavrix::report::DescriptionList, 4> libraries;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  for (const tavrix::Model m : tavrix::kModels) {
    libraries[static_cast<std::size_t>(tavrix::Tag(m))] = tavrix::fuzz::LibraryOf(m);
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  run.WriteDataFile(data, size);
  tavrix::HeaderValueList list;
  tavrix::ReadPassport(run.DataFile(), 0, tavrix::kPassportEntries - 1, list);
  const tavrix::Model model =
      tavrix::ModelFromDesignation(list[tavrix::kEntryModel])
          .value_or(
              tavrix::DetectModel(tavrix::ByteView({data, size})).value_or(tavrix::Model::k52A));
  run.Report(model, libraries[static_cast<std::size_t>(tavrix::Tag(model))]);
  return 0;
}
