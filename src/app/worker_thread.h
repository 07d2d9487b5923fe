// A job on a worker thread of its own, and the one way such a job reaches the main thread:
// Synchronize runs a step there and blocks the worker until it is done (a blocking queued call,
// served by whatever event loop the main thread is in, usually a progress window's modal loop).
// Wait returns when the job has ended and serves its steps meanwhile, so a job that is ending
// never waits on a main thread that waits on it. No locks: while a step runs the worker waits.
#pragma once

#include <QThread>
#include <functional>
#include <memory>

namespace tavrix::app {

class WorkerThread {
 public:
  WorkerThread(std::function<void()> job, QThread::Priority priority);
  ~WorkerThread();  // waits for the job
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  void Start();
  bool Running() const;
  void Wait();

  // On the main thread the step runs at once.
  static void Synchronize(const std::function<void()>& step);

 private:
  std::unique_ptr<QThread> thread_;
  QThread::Priority priority_;
};

}  // namespace tavrix::app
