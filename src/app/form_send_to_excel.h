// The report window TForm_SendToExcel: heading "Создание файла отчета в Excel ", the clip
// toxls.avi (frames up to 128) and the progress bar. Its hint is the report's error mark:
// cleared before each report, "Error" after a failed one. The user cannot close it: only the
// report job does, when it ends.
#pragma once

#include "app/progress_window.h"

namespace tavrix::app {

inline constexpr char kReportErrorMark[] = "Error";

class TForm_SendToExcel final : public ProgressWindow {
 public:
  explicit TForm_SendToExcel(QWidget* main_window);

  bool ErrorMarked() const { return toolTip() == QLatin1String(kReportErrorMark); }

 protected:
  // Esc and the window manager's close do nothing while the report runs.
  void reject() override {}
  void closeEvent(QCloseEvent* event) override;
};

}  // namespace tavrix::app
