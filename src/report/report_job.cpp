#include "report/report_job.h"

#include <exception>
#include <thread>

#include "core/file_io.h"
#include "report/cycle_table.h"
#include "report/library_file.h"
#include "report/oper38.h"
#include "report/oper52d.h"
#include "report/oper52n.h"
#include "report/report_messages.h"
#include "report/scalar_writers.h"

namespace tavrix::report {

TZULToExcel::TZULToExcel(ReportHost& host, std::chrono::milliseconds start_delay)
    : host_(host), start_delay_(start_delay) {}

// A step that fails on the host's thread must not escape there (a Qt blocking call would end the
// program): its exception is carried back and rethrown on the job's thread.
void TZULToExcel::Run(void (TZULToExcel::*step)()) {
  std::exception_ptr failure;
  host_.Synchronize([this, step, &failure] {
    try {
      (this->*step)();
    } catch (...) {
      failure = std::current_exception();
    }
  });
  if (failure) std::rethrow_exception(failure);
}

void TZULToExcel::OpenTemplate() {
  const DescriptionList list = host_.Descriptions();
  const DescriptionLine template_line(list, 0);
  if (template_line.Text(1).empty()) throw LibraryError(std::string(kNoTemplateLineMessage));
  version_text_ = host_.VersionText();
  Spreadsheet& spreadsheet = host_.spreadsheet();
  spreadsheet.Connect();
  spreadsheet.OpenTemplate(ProgramFile(host_.ProgramDirectory(), template_line.Text(1)));
}

void TZULToExcel::SelectWorksheet() { host_.spreadsheet().SelectWorksheet(worksheet_number_); }

void TZULToExcel::ReleaseWorksheet() { host_.spreadsheet().ReleaseWorksheet(); }

void TZULToExcel::WriteRangeStep() {
  std::visit(
      [this](const auto& value) {
        host_.spreadsheet().WriteRange(range_start_, range_end_, value);
      },
      cell_value_);
}

void TZULToExcel::ShowProgressStep() { host_.ShowProgress(progress_); }

void TZULToExcel::ReportFailure() { host_.ReportFailure(error_text_); }

void TZULToExcel::SwitchWorksheet(int n) {
  if (worksheet_number_ == n) return;
  Run(&TZULToExcel::ReleaseWorksheet);
  worksheet_number_ = n;
  Run(&TZULToExcel::SelectWorksheet);
}

void TZULToExcel::WriteRange(std::string corner1, std::string corner2, CellValue value) {
  cell_value_ = std::move(value);
  range_start_ = std::move(corner1);
  range_end_ = std::move(corner2);
  Run(&TZULToExcel::WriteRangeStep);
}

void TZULToExcel::ShowProgress(int percent) {
  progress_ = percent;
  Run(&TZULToExcel::ShowProgressStep);
}

void TZULToExcel::Dispatch(const DescriptionLine& line) {
  const std::string_view keyword = line.Text(3);
  if (const auto kind = ScalarKindFromKeyword(keyword)) {
    WriteScalar(*this, *kind, line);
  } else if (keyword == "AddrCycle") {
    WriteCycleTable(*this);
  } else if (keyword == "Oper52N") {
    WriteOper52N(*this);
  } else if (keyword == "Oper52D") {
    WriteOper52D(*this);
  } else if (keyword == "Oper38") {
    WriteOper38(*this);
  }
}

void TZULToExcel::Walk() {
  while (line_index_ < lines_.size()) {
    ShowProgress(static_cast<int>(line_index_ * 100 / lines_.size()));
    const std::size_t remembered = line_index_;
    try {
      Dispatch(DescriptionLine(lines_, line_index_));
    } catch (const LibraryError&) {
      throw;
    } catch (const std::exception& e) {
      // A spreadsheet call that failed: say which line asked for it.
      throw LibraryError(LineMessage(remembered + 1, e.what()));
    }
    if (line_index_ == remembered) ++line_index_;
  }
}

bool TZULToExcel::Execute() {
  std::this_thread::sleep_for(start_delay_);
  try {
    Run(&TZULToExcel::OpenTemplate);
    worksheet_number_ = 1;
    Run(&TZULToExcel::SelectWorksheet);
    lines_ = host_.Descriptions();
    line_index_ = 2;
    model_ = host_.ModelDesignation();
    decimal_separator_ = host_.DecimalSeparator();
    try {
      file_ = ReadFileBytes(host_.WorkingDirectory() / PathFromUtf8(host_.FileName()),
                            kMaxDataFileBytes + 1);
    } catch (const Error&) {
      error_text_ = kDataFileNotOpenedMessage;
      Run(&TZULToExcel::ReportFailure);
      return false;
    }
    if (file_.size() > kMaxDataFileBytes) {
      error_text_ = kDataFileTooLargeMessage;
      Run(&TZULToExcel::ReportFailure);
      return false;
    }
    data_ = ByteView(file_);
    Walk();
    worksheet_number_ = 1;
    Run(&TZULToExcel::SelectWorksheet);
    Run(&TZULToExcel::ReleaseWorksheet);
    return true;
  } catch (const std::exception& e) {
    error_text_ = e.what();
    Run(&TZULToExcel::ReportFailure);
    return false;
  }
}

void FinishReport(Spreadsheet& spreadsheet, bool made, const std::function<void()>& play_sound) {
  if (!made) {
    spreadsheet.Quit();
    return;
  }
  spreadsheet.Show();
  if (play_sound) play_sound();
}

}  // namespace tavrix::report
