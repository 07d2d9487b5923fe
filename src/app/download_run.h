// One download behind the download window: the stop request, the serial port, the job
// ThreadPotok and its thread. The job's window steps reach TForm_CtrlProc on the main thread
// until the run is stopped; a stopped run leaves the window alone, ends by itself (the port
// closed, default.tmp left as it was unless the image was complete) and is waited for before
// the next download or when it is destroyed.
#pragma once

#include <QPointer>
#include <memory>
#include <vector>

#include "app/form_ctrl_proc.h"
#include "app/worker_thread.h"
#include "core/clock.h"
#include "device/download_job.h"

namespace tavrix::app {

class DownloadRun final : public DownloadHost {
 public:
  DownloadRun(TForm_CtrlProc& window, std::vector<PortCandidate> ports);
  ~DownloadRun() override;

  void Start() { thread_.Start(); }
  // From the main thread: the job stops at once and the window is no longer touched.
  void Stop();
  // Returns when the job has ended.
  void Wait() { thread_.Wait(); }

  // DownloadHost, called by the job.
  std::filesystem::path Directory() const override { return directory_; }
  void Synchronize(const std::function<void()>& step) override { WorkerThread::Synchronize(step); }
  void ShowStatus(const DownloadStatus& status) override;
  void CloseWindow() override;

 private:
  QPointer<TForm_CtrlProc> window_;
  std::filesystem::path directory_;
  bool stopped_ = false;
  Cancellation cancellation_;
  std::unique_ptr<SerialPort> port_;
  SystemClock clock_;
  ThreadPotok job_;
  WorkerThread thread_;  // last: it ends before the rest goes
};

}  // namespace tavrix::app
