#include "app/report_run.h"

#include <QLocale>

#include "app/qt_text.h"

namespace tavrix::app {

char UserDecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  return point.size() == 1 && point.at(0).unicode() < 0x80
             ? static_cast<char>(point.at(0).unicode())
             : ',';
}

ReportRun::ReportRun(TForm_SendToExcel& window, ReportInput input, report::Spreadsheet& spreadsheet,
                     std::function<void(const QString&)> show_error_box)
    : window_(window),
      input_(std::move(input)),
      spreadsheet_(spreadsheet),
      show_error_box_(std::move(show_error_box)),
      separator_(UserDecimalSeparator()),
      job_(*this),
      thread_(
          [this] {
            made_ = job_.Execute();
            Synchronize([this] { window_.CloseByJob(); });
          },
          QThread::NormalPriority) {}

bool ReportRun::Run() {
  window_.setToolTip(QString());
  thread_.Start();
  window_.exec();
  thread_.Wait();
  return made_ && !window_.ErrorMarked();
}

void ReportRun::ReportFailure(std::string_view message) {
  show_error_box_(Utf8Text(message));
  window_.setToolTip(QString::fromLatin1(kReportErrorMark));
}

}  // namespace tavrix::app
