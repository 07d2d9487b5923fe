// Fuzz target: the download job against a port that replays the input as what the line brings.
// Each read of the port takes the next event of the input, or goes on with the one under way:
//   0          a silence (the read gets nothing);
//   1..127     that many literal bytes follow;
//   128..255   a run of ((event & 127) + 1) * 4096 copies of the byte that follows.
// After the input's end the line is silent. Every port of the scan opens and takes the probe;
// afterwards default.tmp must exist, whole, exactly when the job says it was written.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>

#include "core/clock.h"
#include "device/download_job.h"
#include "support/temp_dir.h"

namespace tavrix {
namespace {

class ReplayedLine final : public SerialPort {
 public:
  ReplayedLine(const std::uint8_t* data, std::size_t size) : input_(data, size) {}

  bool Open(const std::string&) override { return true; }
  void SaveSettings() override {}
  void RestoreSettings() override {}
  bool ApplyLineSettings() override { return true; }
  void SetTimeouts(const CommTimeouts&) override {}
  void Purge() override {}
  bool Write(std::uint8_t) override { return true; }
  void Close() override {}

  std::size_t Read(std::span<std::uint8_t> buffer) override {
    if (pending_ == 0 && !NextEvent()) return 0;
    const std::size_t n = std::min(buffer.size(), pending_);
    if (run_) {
      std::fill_n(buffer.begin(), n, run_byte_);
    } else {
      std::copy_n(input_.begin(), n, buffer.begin());
      input_ = input_.subspan(n);
    }
    pending_ -= n;
    return n;
  }

 private:
  // False for a silence.
  bool NextEvent() {
    if (input_.empty()) return false;
    const std::uint8_t event = input_[0];
    input_ = input_.subspan(1);
    run_ = event >= 128;
    if (!run_) {
      pending_ = std::min<std::size_t>(event, input_.size());
      return pending_ != 0;
    }
    if (input_.empty()) return false;
    run_byte_ = input_[0];
    input_ = input_.subspan(1);
    pending_ = (std::size_t{event & 127u} + 1) * 4096;
    return true;
  }

  std::span<const std::uint8_t> input_;
  std::size_t pending_ = 0;
  bool run_ = false;
  std::uint8_t run_byte_ = 0;
};

class SilentHost final : public DownloadHost {
 public:
  std::filesystem::path Directory() const override { return dir_.path(); }
  void Synchronize(const std::function<void()>& step) override { step(); }
  void ShowStatus(const DownloadStatus& status) override {
    if (status.progress < 0 || status.progress > 100) std::abort();
  }
  void CloseWindow() override { ++closes; }

  int closes = 0;

 private:
  testing::TempDir dir_;
};

}  // namespace
}  // namespace tavrix

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavrix;
  static SilentHost host;
  const auto dump = host.Directory() / kDumpFileName;
  std::filesystem::remove(dump);
  host.closes = 0;

  ReplayedLine line(data, size);
  Cancellation never;
  const FixedClock clock({2026, 6, 15, 23, 59, 59});
  ThreadPotok job(host, line, PortListCandidates("/dev/ttyUSB0;/dev/ttyUSB1;/dev/ttyACM0"), never,
                  clock);
  const DownloadOutcome outcome = job.Execute();

  const bool written =
      outcome == DownloadOutcome::kDone || outcome == DownloadOutcome::kChecksumDiffers;
  if (written != std::filesystem::exists(dump)) std::abort();
  if (written && std::filesystem::file_size(dump) != kDumpSize) std::abort();
  if (written != (job.received() == kDumpSize)) std::abort();
  if (job.received() > kMaxReceived || host.closes != 1) std::abort();
  return 0;
}
