// A stop request for a running download. Any thread, or a POSIX signal handler, may raise it;
// the download job and the serial port notice it at once, also while they wait for the line.
// It is never lowered: each download takes a fresh Cancellation.
#pragma once

#include <atomic>
#include <chrono>

namespace tavrix {

class Cancellation {
 public:
  Cancellation();
  ~Cancellation();
  Cancellation(const Cancellation&) = delete;
  Cancellation& operator=(const Cancellation&) = delete;

  // Safe from any thread and (on POSIX) from a signal handler.
  void Cancel();
  bool IsCancelled() const { return cancelled_.load(); }

  // Waits for `duration` or until the request is raised; true when it was raised.
  bool WaitFor(std::chrono::milliseconds duration) const;

#ifdef _WIN32
  // A manual-reset event handle, signalled once cancelled.
  void* Event() const { return event_; }
#else
  // A descriptor that polls readable once cancelled.
  int WakeFd() const { return pipe_[0]; }
#endif

 private:
  std::atomic<bool> cancelled_{false};
#ifdef _WIN32
  void* event_ = nullptr;
#else
  int pipe_[2] = {-1, -1};
#endif
};

}  // namespace tavrix
