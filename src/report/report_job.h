// The report job TZULToExcel: opens the template that the description list names, walks the
// description lines from line 2 and hands each to the writer of its type keyword, then returns
// the workbook to worksheet 1. Every spreadsheet call and every progress or failure notice is one
// of six steps run through the host's Synchronize. Any failure (data file, template, malformed
// library line, spreadsheet call) ends the walk, goes to the host's failure sink with a message
// that names the library line where there is one, and makes Execute return false.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "core/byte_view.h"
#include "report/cell_block.h"
#include "report/description_list.h"
#include "report/report_host.h"

namespace tavrix::report {

// The job waits this long before its first step, so that the desktop's progress window is up.
inline constexpr std::chrono::milliseconds kStartDelay{500};
inline constexpr std::string_view kReportSoundFile = "tada.wav";
// A data file is 271 067 bytes; a file above this size, chosen by mistake, is refused rather than
// read into memory.
inline constexpr std::uintmax_t kMaxDataFileBytes = std::uintmax_t{16} << 20;

// What the next range write assigns: a single number, a text (code page 1251) or a block.
using CellValue = std::variant<float, std::string, CellBlock>;

class TZULToExcel {
 public:
  explicit TZULToExcel(ReportHost& host, std::chrono::milliseconds start_delay = kStartDelay);

  // The whole report; true when it was made, false after the failure sink was told.
  bool Execute();

  // What the writers use, on the job's thread.
  const ByteView& data() const { return data_; }
  std::int64_t data_size() const { return static_cast<std::int64_t>(file_.size()); }
  const std::string& version_text() const { return version_text_; }
  const std::string& model() const { return model_; }
  char decimal_separator() const { return decimal_separator_; }
  const Clock& clock() const { return host_.clock(); }
  const DescriptionList& lines() const { return lines_; }
  std::size_t line_index() const { return line_index_; }
  void set_line_index(std::size_t index) { line_index_ = index; }

  // Releases the connected worksheet and selects worksheet n, unless n is connected already.
  void SwitchWorksheet(int n);
  // Sets the cell value and the range's corners, then runs the WriteRange step.
  void WriteRange(std::string corner1, std::string corner2, CellValue value);
  // Sets the progress value and runs the ShowProgress step.
  void ShowProgress(int percent);

 private:
  void Run(void (TZULToExcel::*step)());
  // The six main-thread steps.
  void OpenTemplate();
  void SelectWorksheet();
  void ReleaseWorksheet();
  void WriteRangeStep();
  void ShowProgressStep();
  void ReportFailure();

  void Walk();
  void Dispatch(const DescriptionLine& line);

  ReportHost& host_;
  std::chrono::milliseconds start_delay_;
  std::vector<std::uint8_t> file_;
  ByteView data_;
  DescriptionList lines_;
  std::size_t line_index_ = 2;
  int worksheet_number_ = 0;
  std::string range_start_;
  std::string range_end_;
  int progress_ = 0;
  std::string error_text_;
  std::string version_text_;
  std::string model_;
  char decimal_separator_ = ',';
  CellValue cell_value_;
};

// What the report start does once the job has ended: after a failed report the spreadsheet
// application is closed; after a made one the workbook is shown and `play_sound` is called.
void FinishReport(Spreadsheet& spreadsheet, bool made, const std::function<void()>& play_sound);

}  // namespace tavrix::report
