// The file browser's listing: a folder of N data files (and N / 10 folders) read, dated and
// sorted as the file list shows it, counted in entries per second.
#include <benchmark/benchmark.h>

#include <QString>
#include <string>

#include "app/file_list.h"
#include "support/files.h"
#include "support/temp_dir.h"

namespace tavrix::app {
namespace {

void ListAFolder(benchmark::State& state) {
  const auto files = static_cast<int>(state.range(0));
  testing::TempDir dir;
  for (int i = 0; i < files; ++i) {
    // Names in no order, Cyrillic and Latin, as a service engineer's folder has them.
    const int n = (i * 7919) % files;
    testing::Spit(dir / ("КС-" + std::to_string(n) + " №" + std::to_string(i) + ".rpk"),
                  std::string("x"));
    if (i % 10 == 0) std::filesystem::create_directory(dir / ("Crane " + std::to_string(n)));
  }
  const QString path = QString::fromStdString(dir.path().string());
  std::size_t entries = 0;
  for (auto _ : state) entries += ListFolder(path, true).size();
  state.counters["entries_per_second"] =
      benchmark::Counter(static_cast<double>(entries), benchmark::Counter::kIsRate);
}
BENCHMARK(ListAFolder)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrix::app

BENCHMARK_MAIN();
