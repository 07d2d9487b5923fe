// A report host for tests and benchmarks: the data file in a temporary working directory, the
// description list and texts as plain members, a fixed clock, the in-memory spreadsheet, every
// step run directly, progress and failures recorded.
#pragma once

#include <string>
#include <thread>
#include <vector>

#include "report/memory_spreadsheet.h"
#include "report/report_host.h"
#include "support/temp_dir.h"

namespace tavrix::report::testing {

class TestHost : public ReportHost {
 public:
  std::filesystem::path ProgramDirectory() const override { return dir.path() / "program"; }
  std::filesystem::path WorkingDirectory() const override { return dir.path(); }
  std::string FileName() const override { return file_name; }
  std::string VersionText() const override { return version; }
  std::string ModelDesignation() const override { return model; }
  DescriptionList Descriptions() const override { return descriptions; }
  char DecimalSeparator() const override { return separator; }
  const Clock& clock() const override { return fixed_clock; }
  void ShowProgress(int percent) override { progress.push_back(percent); }
  void ReportFailure(std::string_view message) override { failures.emplace_back(message); }
  Spreadsheet& spreadsheet() override { return sheet; }
  // Runs each step directly, or, like the desktop, on a thread of its own while the job waits.
  void Synchronize(const std::function<void()>& step) override {
    if (!steps_on_another_thread) return step();
    std::thread(step).join();
  }

  tavrix::testing::TempDir dir;
  bool steps_on_another_thread = false;
  std::string file_name = "data.rpk";
  std::string version = "1";
  std::string model;
  DescriptionList descriptions;
  char separator = ',';
  FixedClock fixed_clock{{2026, 6, 15, 12, 0, 0}};
  std::vector<int> progress;
  std::vector<std::string> failures;
  MemorySpreadsheet sheet;
};

}  // namespace tavrix::report::testing
