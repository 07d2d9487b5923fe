// One report behind the report window: the job TZULToExcel on a thread of normal priority, its
// steps carried onto the main thread where the spreadsheet and the windows live. The progress
// goes to the window's bar; a failure is shown in the standard error box captioned "Error" and
// marks the window's hint "Error". When the job ends it closes the window itself.
#pragma once

#include <functional>
#include <memory>

#include "app/form_send_to_excel.h"
#include "app/worker_thread.h"
#include "report/report_job.h"

namespace tavrix::app {

// The user's decimal separator (the locale's, a comma when it is not one ASCII character).
char UserDecimalSeparator();

// What the report reads from the main window, taken before the job starts.
struct ReportInput {
  std::filesystem::path program_dir;
  std::filesystem::path working_dir;
  std::string file_name;  // UTF-8
  std::string version;    // code page 1251
  std::string model;      // code page 1251
  report::DescriptionList descriptions;
  const Clock* clock = nullptr;
};

class ReportRun final : public report::ReportHost {
 public:
  ReportRun(TForm_SendToExcel& window, ReportInput input, report::Spreadsheet& spreadsheet,
            std::function<void(const QString&)> show_error_box);

  // Starts the job, shows the window modally until the job closes it, and returns whether the
  // report was made.
  bool Run();

  // ReportHost.
  std::filesystem::path ProgramDirectory() const override { return input_.program_dir; }
  std::filesystem::path WorkingDirectory() const override { return input_.working_dir; }
  std::string FileName() const override { return input_.file_name; }
  std::string VersionText() const override { return input_.version; }
  std::string ModelDesignation() const override { return input_.model; }
  report::DescriptionList Descriptions() const override { return input_.descriptions; }
  char DecimalSeparator() const override { return separator_; }
  const Clock& clock() const override { return *input_.clock; }
  void ShowProgress(int percent) override { window_.SetProgress(percent); }
  void ReportFailure(std::string_view message) override;
  report::Spreadsheet& spreadsheet() override { return spreadsheet_; }
  void Synchronize(const std::function<void()>& step) override { WorkerThread::Synchronize(step); }

 private:
  TForm_SendToExcel& window_;
  ReportInput input_;
  report::Spreadsheet& spreadsheet_;
  std::function<void(const QString&)> show_error_box_;
  char separator_;
  report::TZULToExcel job_;
  bool made_ = false;
  WorkerThread thread_;  // last: it ends before the rest goes
};

}  // namespace tavrix::app
