// Report throughput: every table of a full-size generated image of each model decoded into cell
// blocks and written into the in-memory spreadsheet, counted as cells per second.
#include <benchmark/benchmark.h>

#include "core/cp1251.h"
#include "data/passport.h"
#include "imagegen/recorder_image.h"
#include "report/report_job.h"
#include "support/files.h"
#include "support/generated_library.h"
#include "support/memory_report_host.h"

namespace tavrix::report {
namespace {

void ReportOfAFullImage(benchmark::State& state) {
  const auto model = static_cast<Model>(state.range(0));
  gen::ImageSpec image_spec{model, 1, gen::PlausibleHeader(model, 1), 0, {}, {}};
  image_spec.tables.fill = true;
  testing::TestHost host;
  tavrix::testing::Spit(host.dir / host.file_name,
                        BuildDataFile(gen::GenerateImage(image_spec), HeaderValueList{}));
  host.model = Designation(model);
  for (const auto& line : tavrix::testing::GeneratedImageLibrary(model))
    host.descriptions.push_back(Utf8ToCp1251(line));
  std::size_t cells = 0;
  for (auto _ : state) {
    host.sheet = MemorySpreadsheet(6, false);
    TZULToExcel job(host, std::chrono::milliseconds(0));
    if (!job.Execute()) state.SkipWithError(host.failures.back().c_str());
    cells += host.sheet.block_cells();
  }
  state.SetLabel(DesignationUtf8(model).data());
  state.counters["cells"] = benchmark::Counter(static_cast<double>(cells) / state.iterations());
  state.counters["cells_per_second"] =
      benchmark::Counter(static_cast<double>(cells), benchmark::Counter::kIsRate);
}
BENCHMARK(ReportOfAFullImage)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrix::report

BENCHMARK_MAIN();
