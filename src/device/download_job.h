// The download job ThreadPotok: scans the candidate ports for the transfer unit, receives the
// memory image, checks the image checksum and writes default.tmp (atomically) in the host's
// directory. Every window step (status, progress, close) goes through the host's Synchronize,
// so the desktop application runs the job on a worker thread and the CLI runs it in place.
// A raised Cancellation ends the job at once: the port is closed, default.tmp is left alone
// unless the image was complete, and the host is not called again.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/clock.h"
#include "device/cancellation.h"
#include "device/download_outcome.h"
#include "device/port_candidates.h"
#include "device/serial_port.h"

namespace tavrix {

class DownloadHost {
 public:
  virtual ~DownloadHost() = default;

  // The folder of default.tmp (the program directory).
  virtual std::filesystem::path Directory() const = 0;

  // Runs `step` where the window lives and returns when it has run. A host that waits for a
  // stopped job must still serve a call that was already under way.
  virtual void Synchronize(const std::function<void()>& step) = 0;

  // The window steps; the job calls them only from inside Synchronize.
  virtual void ShowStatus(const DownloadStatus& status) = 0;
  virtual void CloseWindow() = 0;
};

// The line's rhythm around the probe and the image.
inline constexpr std::chrono::milliseconds kSettleAfterOpen{300};
inline constexpr std::chrono::milliseconds kSettleBeforeImage{200};
inline constexpr std::size_t kMaxDrainReads = 384;
// A download that has brought twice an image without falling silent ends there (interrupted).
inline constexpr std::uint64_t kMaxReceived = 2 * std::uint64_t{kDumpSize};

class ThreadPotok {
 public:
  ThreadPotok(DownloadHost& host, SerialPort& port, std::vector<PortCandidate> ports,
              const Cancellation& cancellation, const Clock& clock);

  DownloadOutcome Execute();

  // The label as last shown: the outcome's message, title and kind after Execute.
  const DownloadStatus& status() const { return status_; }
  // How many image bytes arrived (surplus bytes counted, never stored).
  std::uint64_t received() const { return received_; }
  // Why default.tmp could not be written, after kWriteRefused (UTF-8).
  const std::string& write_error() const { return write_error_; }

 private:
  bool Stopped() const { return cancellation_.IsCancelled(); }
  bool FindUnit();
  bool Answers(const PortCandidate& candidate);
  void Drain();
  void Receive();
  void ShowReceivingIfChanged(std::uint64_t k, std::int64_t start);
  void ShowReceiving(std::uint64_t k, std::int64_t start);
  bool ChecksumMatches();
  DownloadOutcome End(DownloadOutcome outcome);
  void SetLabel(DownloadOutcome outcome);
  void Show();
  void CloseWindow();

  DownloadHost& host_;
  SerialPort& port_;
  std::vector<PortCandidate> ports_;
  const Cancellation& cancellation_;
  const Clock& clock_;

  std::vector<std::uint8_t> image_;
  std::uint64_t received_ = 0;
  DownloadStatus status_;
  int progress_ = 0;  // as computed; the window's bar shows it clamped to 0..100
  std::string write_error_;
};

}  // namespace tavrix
