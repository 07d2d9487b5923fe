#include "report_run.h"

#include <cstdlib>

#include "core/clock.h"
#include "core/cp1251.h"
#include "core/file_io.h"
#include "data/header_decoder.h"
#include "data/passport.h"
#include "imagegen/recorder_image.h"
#include "report/library_file.h"
#include "report/report_job.h"
#include "report/version_map.h"
#include "support/generated_library.h"

namespace tavrix::fuzz {
namespace {

// A line of each scalar keyword, at the header, at the passport and across the file's end.
std::vector<std::string> ScalarLines() {
  std::vector<std::string> lines;
  const char* keywords[] = {"Int", "UShortInt", "ShortInt", "Char", "UChar",
                            "Hex", "Time",      "Data",     "Float"};
  int row = 1;
  for (const char* keyword : keywords) {
    for (const char* at : {"\t0\t2\t", "\t270337\t0\t", "\t271060\t271000\t"}) {
      const std::string cell = "A" + std::to_string(row++);
      lines.push_back(std::string("x") + at + keyword + "\t6\t0,5\t1\t" + cell + "\t" + cell +
                      "\t<\t-\t>");
      lines.push_back(std::string("x") + at + keyword + "\t4\t1\t1\t" + cell + "\t" + cell);
    }
  }
  return lines;
}

}  // namespace

std::vector<std::uint8_t> GeneratedDataFile(Model model) {
  gen::ImageSpec image_spec;
  image_spec.model = model;
  image_spec.header = gen::PlausibleHeader(model, image_spec.seed);
  image_spec.tables.fill = true;
  image_spec.tables.invalid_share = 0.5;
  const std::vector<std::uint8_t> image = gen::GenerateImage(image_spec);
  HeaderValueList list;
  SelectModel(model, ByteView(image), FixedClock({2026, 6, 15, 12, 0, 0}), list);
  return BuildDataFile(image, list);
}

report::DescriptionList LibraryOf(Model model) {
  const auto shipped = std::filesystem::path(TAVRIX_RUNTIME_DIR) /
                       report::FallbackLibrary(Designation(model)).value();
  if (std::filesystem::exists(shipped)) return report::ReadReportLibrary(shipped);
  std::vector<std::string> lines = testing::GeneratedImageLibrary(model);
  for (std::string& line : ScalarLines()) lines.push_back(std::move(line));
  report::DescriptionList list;
  for (const std::string& line : lines) list.push_back(Utf8ToCp1251(line));
  return list;
}

void ReportRun::WriteDataFile(const std::uint8_t* data, std::size_t size) {
  WriteFileAtomically(DataFile(), std::span(data, size));
}

bool ReportRun::Report(Model model, const report::DescriptionList& lines) {
  host_.model = Designation(model);
  host_.descriptions = lines;
  host_.failures.clear();
  host_.progress.clear();
  host_.sheet = report::MemorySpreadsheet(8, false);
  report::TZULToExcel job(host_, std::chrono::milliseconds(0));
  const bool made = job.Execute();
  if (host_.failures.size() != (made ? 0u : 1u)) std::abort();
  for (const int percent : host_.progress) {
    if (percent < 0 || percent > 100) std::abort();
  }
  return made;
}

}  // namespace tavrix::fuzz
