#include "app/download_run.h"

namespace tavrix::app {

DownloadRun::DownloadRun(TForm_CtrlProc& window, std::vector<PortCandidate> ports)
    : window_(&window),
      directory_(window.Directory()),
      port_(MakeSerialPort(cancellation_)),
      job_(*this, *port_, std::move(ports), cancellation_, clock_),
      thread_([this] { job_.Execute(); }, QThread::HighestPriority) {}

DownloadRun::~DownloadRun() {
  Stop();
  Wait();
}

void DownloadRun::Stop() {
  stopped_ = true;
  cancellation_.Cancel();
}

void DownloadRun::ShowStatus(const DownloadStatus& status) {
  if (!stopped_ && window_) window_->ShowStatus(status);
}

void DownloadRun::CloseWindow() {
  if (!stopped_ && window_) window_->CloseByJob();
}

}  // namespace tavrix::app
