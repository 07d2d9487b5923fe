// The download job against zhuv6-sim on real pseudo-terminals (fast sending), and against a
// scripted port where a case needs more ports or exact byte streams than a pty gives.
#include "device/download_job.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <stdexcept>

#include "data/dump.h"
#include "imagegen/recorder_image.h"
#include "support/fail_write.h"
#include "support/files.h"
#include "support/temp_dir.h"
#include "support/tty_settings.h"
#include "support/zhuv6_sim.h"

namespace tavrix {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Field;
using testing::SettingsOf;
using testing::SimProcess;
using testing::Slurp;
using testing::Spit;
using ::testing::StartsWith;

const std::vector<std::uint8_t> kEarlier = {'e', 'a', 'r', 'l', 'i', 'e', 'r'};

// Records what the window would show; checks that window steps come only through Synchronize.
class RecordingHost : public DownloadHost {
 public:
  explicit RecordingHost(std::filesystem::path dir) : dir_(std::move(dir)) {}

  std::filesystem::path Directory() const override { return dir_; }
  void Synchronize(const std::function<void()>& step) override {
    in_step_ = true;
    step();
    in_step_ = false;
  }
  void ShowStatus(const DownloadStatus& status) override {
    EXPECT_TRUE(in_step_) << "status shown outside Synchronize";
    EXPECT_EQ(closes, 0) << "status shown after the window closed";
    statuses.push_back(status);
    if (on_status) on_status(status);
  }
  void CloseWindow() override {
    EXPECT_TRUE(in_step_) << "window closed outside Synchronize";
    ++closes;
  }

  std::vector<std::string> Messages() const {
    std::vector<std::string> messages;
    for (const auto& s : statuses) messages.push_back(s.message);
    return messages;
  }

  std::vector<DownloadStatus> statuses;
  int closes = 0;
  std::function<void(const DownloadStatus&)> on_status;

 private:
  std::filesystem::path dir_;
  bool in_step_ = false;
};

std::vector<std::uint8_t> TestImage() {
  return gen::GenerateImage({Model::k52D, 7, gen::PlausibleHeader(Model::k52D, 7), 0, {}, {}});
}

std::vector<PortCandidate> Ports(const std::vector<std::string>& paths) {
  std::vector<PortCandidate> ports;
  for (const auto& p : paths) ports.push_back({p, p});
  return ports;
}

std::string Scanning(const std::string& port) {
  return "Поиск подключенного устройства ЖУВ-6 (" + port + ")...";
}

class DownloadJobTest : public ::testing::Test {
 protected:
  void SetUp() override { Spit(dir_ / "image", image_); }

  DownloadOutcome Run(const std::vector<std::string>& ports) {
    ThreadPotok job(host_, *port_, Ports(ports), stop_, clock_);
    const DownloadOutcome outcome = job.Execute();
    label_ = job.status();
    return outcome;
  }
  std::vector<std::string> SimOptions(std::vector<std::string> faults) const {
    faults.insert(faults.begin(), {"--image", (dir_ / "image").string(), "--fast"});
    return faults;
  }
  std::vector<std::uint8_t> DefaultTmp() const { return Slurp(dir_ / "default.tmp"); }

  testing::TempDir dir_;
  std::vector<std::uint8_t> image_ = TestImage();
  RecordingHost host_{dir_.path()};
  Cancellation stop_;
  // Outlives each job, so that a port the job left open would show.
  std::unique_ptr<SerialPort> port_ = MakeSerialPort(stop_);
  // A clock that stands still: every elapsed time counts as one second.
  FixedClock clock_{{2026, 3, 4, 10, 0, 0}};
  DownloadStatus label_;
};

TEST_F(DownloadJobTest, DownloadsChecksAndWritesTheImage) {
  SimProcess sim(SimOptions({}));
  EXPECT_EQ(Run({sim.path()}), DownloadOutcome::kDone);
  EXPECT_EQ(DefaultTmp(), image_);
  EXPECT_EQ(label_, DownloadStatus{});
  EXPECT_EQ(host_.statuses.back(), DownloadStatus{});
  EXPECT_EQ(host_.closes, 1);
  const auto messages = host_.Messages();
  EXPECT_EQ(messages.front(), Scanning(sim.path()));
  // Byte 2704 is the first of 1 %: 2 KB, 2704 x 8 / 1 s / 1024 = 21 kbit/s, 1 x 270336 / 2704 - 1.
  EXPECT_THAT(messages, Contains("Загрузка данных 2 КБайт (21 Кбит/с),  осталось 98 сек."));
  EXPECT_THAT(messages, Contains("Загрузка данных 261 КБайт (2090 Кбит/с),  осталось 0 сек."));
  // The read that meets the silence takes the percent once more: the bar reaches 100.
  const auto counted = std::find(messages.begin(), messages.end(),
                                 "Считано 270336 байт. Расчет контрольной суммы...");
  ASSERT_NE(counted, messages.begin());
  ASSERT_NE(counted, messages.end());
  const auto at = counted - messages.begin();
  EXPECT_EQ(
      host_.statuses[at - 1],
      (DownloadStatus{"Загрузка данных 264 КБайт (2112 Кбит/с),  осталось 0 сек.", "", 0, 100}));
  EXPECT_EQ(host_.statuses[at].progress, 0);
  EXPECT_THAT(host_.statuses, Contains(DownloadStatus{"Проверено 2642 байт", "", 0, 1}));
  EXPECT_THAT(host_.statuses, Contains(DownloadStatus{"Проверено 261551 байт", "", 0, 99}));
}

struct FaultCase {
  std::string name;
  std::vector<std::string> faults;
  DownloadOutcome outcome;
  DownloadStatus label;
  bool writes;  // default.tmp replaced by the served image (else the earlier file stays)
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class DownloadFaultTest : public DownloadJobTest,
                          public ::testing::WithParamInterface<FaultCase> {};

TEST_P(DownloadFaultTest, EndsAsTheOutcomeTableSays) {
  const FaultCase& c = GetParam();
  Spit(dir_ / "default.tmp", kEarlier);
  SimProcess sim(SimOptions(c.faults));
  EXPECT_EQ(Run({sim.path()}), c.outcome);
  EXPECT_EQ(label_.message, c.label.message);
  EXPECT_EQ(label_.title, c.label.title);
  EXPECT_EQ(label_.kind, c.label.kind);
  EXPECT_EQ(host_.statuses.back(), label_);
  EXPECT_EQ(host_.closes, 1);
  if (c.writes) {
    auto served = image_;
    ++served[264192];
    EXPECT_EQ(DefaultTmp(), served);
  } else {
    EXPECT_EQ(DefaultTmp(), kEarlier);
  }
}

const DownloadStatus kNotFound{std::string(kNotFoundText), std::string(kAttentionTitle), 0, 0};

INSTANTIATE_TEST_SUITE_P(
    Faults, DownloadFaultTest,
    ::testing::Values(
        FaultCase{"ChecksumDiffers",
                  {"--corrupt-checksum"},
                  DownloadOutcome::kChecksumDiffers,
                  {std::string(kIntegrityWarningText), std::string(kWarningTitle), 1, 0},
                  true},
        FaultCase{"OneByteShort",
                  {"--stop-after", "270335"},
                  DownloadOutcome::kInterrupted,
                  {InterruptionText(270335), std::string(kErrorTitle), 0, 0},
                  false},
        FaultCase{"SurplusBytes",
                  {"--surplus", "5000"},
                  DownloadOutcome::kInterrupted,
                  {InterruptionText(275336), std::string(kErrorTitle), 0, 0},
                  false},
        FaultCase{"HangUpMidTransfer",
                  {"--hangup-after", "100000"},
                  DownloadOutcome::kInterrupted,
                  {InterruptionText(100000), std::string(kErrorTitle), 0, 0},
                  false},
        FaultCase{"NeverAnswers", {"--never-answer"}, DownloadOutcome::kNotFound, kNotFound, false},
        FaultCase{
            "AnswersAnotherByte", {"--answer", "55"}, DownloadOutcome::kNotFound, kNotFound, false},
        FaultCase{"AnswersAfterTheProbeTimeout",
                  {"--answer-late", "250"},
                  DownloadOutcome::kNotFound,
                  kNotFound,
                  false}),
    [](const auto& info) { return info.param.name; });

// A pty's settings as the test leaves them before the scan: slow and canonical, unlike 8E2 raw.
termios SetDistinctSettings(const std::string& path) {
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
  termios t{};
  tcgetattr(fd, &t);
  t.c_lflag |= ICANON | ECHO;
  cfsetispeed(&t, B4800);
  cfsetospeed(&t, B4800);
  tcsetattr(fd, TCSANOW, &t);
  tcgetattr(fd, &t);
  close(fd);
  return t;
}

TEST_F(DownloadJobTest, ScansInOrderPastSilentAndNoisyPortsAndRestoresThem) {
  SimProcess silent(SimOptions({"--never-answer"}));
  // Endless noise: without the drain limit the scan would never get past this port.
  SimProcess noisy(SimOptions({"--noise"}));
  SimProcess unit(SimOptions({}));
  const termios silent_before = SetDistinctSettings(silent.path());
  const termios noisy_before = SetDistinctSettings(noisy.path());
  const std::string missing = (dir_ / "no-such-port").string();

  EXPECT_EQ(Run({missing, silent.path(), noisy.path(), unit.path()}), DownloadOutcome::kDone);
  EXPECT_EQ(DefaultTmp(), image_);
  std::vector<DownloadStatus> scan(host_.statuses.begin(), host_.statuses.begin() + 4);
  EXPECT_THAT(scan, ElementsAre(DownloadStatus{Scanning(missing), "", 0, 0},
                                DownloadStatus{Scanning(silent.path()), "", 0, 5},
                                DownloadStatus{Scanning(noisy.path()), "", 0, 10},
                                DownloadStatus{Scanning(unit.path()), "", 0, 15}));
  for (const auto& [path, before] :
       {std::pair{silent.path(), silent_before}, std::pair{noisy.path(), noisy_before}}) {
    const termios after = SettingsOf(path);
    EXPECT_EQ(cfgetispeed(&after), cfgetispeed(&before)) << path;
    EXPECT_EQ(after.c_lflag, before.c_lflag) << path;
    EXPECT_EQ(after.c_iflag, before.c_iflag) << path;
  }
}

TEST_F(DownloadJobTest, NoUnitAtAllWritesNothing) {
  SimProcess silent(SimOptions({"--never-answer"}));
  EXPECT_EQ(Run({(dir_ / "missing").string(), silent.path()}), DownloadOutcome::kNotFound);
  EXPECT_EQ(label_,
            (DownloadStatus{std::string(kNotFoundText), std::string(kAttentionTitle), 0, 5}));
  EXPECT_EQ(host_.closes, 1);
  EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"image"});
}

TEST_F(DownloadJobTest, ARefusedWriteKeepsTheEarlierFile) {
  Spit(dir_ / "default.tmp", kEarlier);
  SimProcess sim(SimOptions({}));
  // The job runs in a child whose file size limit stops the write, as a full disk does.
  const std::string report = testing::RunWithFileSizeLimit(100000, [&] {
    const DownloadOutcome outcome = Run({sim.path()});
    throw std::runtime_error(outcome == DownloadOutcome::kWriteRefused &&
                                     label_ == DownloadStatus{std::string(kAccessText),
                                                              std::string(kErrorTitle), 1, 0} &&
                                     host_.closes == 1
                                 ? "refused"
                                 : "outcome " + std::to_string(static_cast<int>(outcome)));
  });
  EXPECT_EQ(report, "refused");
  EXPECT_EQ(DefaultTmp(), kEarlier);
  EXPECT_EQ(dir_.Entries(), (std::vector<std::string>{"default.tmp", "image"}));
}

TEST_F(DownloadJobTest, AStopEndsTheDownloadAndFreesThePort) {
  Spit(dir_ / "default.tmp", kEarlier);
  SimProcess sim(SimOptions({}));
  host_.on_status = [&](const DownloadStatus& s) {
    if (s.message.starts_with("Загрузка данных")) stop_.Cancel();
  };
  EXPECT_EQ(Run({sim.path()}), DownloadOutcome::kStopped);
  EXPECT_THAT(host_.statuses.back().message, StartsWith("Загрузка данных"));
  EXPECT_EQ(host_.closes, 0);
  EXPECT_EQ(DefaultTmp(), kEarlier);

  // The port was closed: its exclusive lock is free again.
  Cancellation other;
  EXPECT_TRUE(MakeSerialPort(other)->Open(sim.path()));
}

// A port whose bytes are scripted: what it sends before the probe, its answer, its image.
struct ScriptedDevice {
  std::vector<std::uint8_t> before_probe;
  bool endless_noise = false;
  std::vector<std::uint8_t> answer;
  std::vector<std::uint8_t> image;
};

class ScriptedPort : public SerialPort {
 public:
  std::map<std::string, ScriptedDevice> devices;
  std::size_t read_before_probe = 0;
  std::vector<std::string> tried;

  bool Open(const std::string& name) override {
    tried.push_back(name);
    const auto it = devices.find(name);
    device_ = it == devices.end() ? nullptr : &it->second;
    if (device_ != nullptr)
      pending_.assign(device_->before_probe.begin(), device_->before_probe.end());
    probed_ = false;
    return device_ != nullptr;
  }
  void SaveSettings() override {}
  void RestoreSettings() override {}
  bool ApplyLineSettings() override { return true; }
  void SetTimeouts(const CommTimeouts&) override {}
  void Purge() override {}
  std::size_t Read(std::span<std::uint8_t> buffer) override {
    std::size_t n = 0;
    if (device_->endless_noise && !probed_) {
      std::fill(buffer.begin(), buffer.end(), 0x11);
      n = buffer.size();
    }
    for (; n < buffer.size() && !pending_.empty(); ++n) {
      buffer[n] = pending_.front();
      pending_.pop_front();
    }
    if (!probed_) read_before_probe += n;
    return n;
  }
  bool Write(std::uint8_t byte) override {
    if (byte == 0x08) {
      probed_ = true;
      pending_.assign(device_->answer.begin(), device_->answer.end());
    } else if (byte == 0x02) {
      pending_.assign(device_->image.begin(), device_->image.end());
    }
    return true;
  }
  void Close() override { device_ = nullptr; }

 private:
  ScriptedDevice* device_ = nullptr;
  std::deque<std::uint8_t> pending_;
  bool probed_ = false;
};

class ScriptedScanTest : public ::testing::Test {
 protected:
  DownloadOutcome Run() {
    ThreadPotok job(host_, port_, WindowsPortCandidates(), stop_, clock_);
    const DownloadOutcome outcome = job.Execute();
    label_ = job.status();
    return outcome;
  }
  testing::TempDir dir_;
  RecordingHost host_{dir_.path()};
  ScriptedPort port_;
  Cancellation stop_;
  FixedClock clock_{{2026, 3, 4, 10, 0, 0}};
  DownloadStatus label_;
};

TEST_F(ScriptedScanTest, TheLastOfFiftyFivePortsCountsAndTheBarStaysFull) {
  const auto image = TestImage();
  port_.devices["\\\\.\\COM54"] = {{}, false, {0xA0}, image};
  EXPECT_EQ(Run(), DownloadOutcome::kDone);
  EXPECT_EQ(Slurp(dir_ / "default.tmp"), image);
  EXPECT_EQ(host_.statuses[3], (DownloadStatus{Scanning("COM3"), "", 0, 15}));
  EXPECT_EQ(host_.statuses[19], (DownloadStatus{Scanning("COM19"), "", 0, 95}));
  EXPECT_EQ(host_.statuses[20], (DownloadStatus{Scanning("COM20"), "", 0, 100}));
  EXPECT_EQ(host_.statuses[54], (DownloadStatus{Scanning("COM54"), "", 0, 100}));
}

TEST_F(ScriptedScanTest, TheScanStopsAtTheUnit) {
  const auto image = TestImage();
  port_.devices["\\\\.\\COM3"] = {{}, false, {0xA0}, image};
  EXPECT_EQ(Run(), DownloadOutcome::kDone);
  EXPECT_THAT(port_.tried, ElementsAre("\\\\.\\COM0", "\\\\.\\COM1", "\\\\.\\COM2", "\\\\.\\COM3"));
  EXPECT_EQ(Slurp(dir_ / "default.tmp"), image);
}

TEST_F(ScriptedScanTest, OnlyTheReadAfterTheProbeAnswersIt) {
  // A unit that answered an earlier probe late leaves 0xA0 on the line, then falls silent.
  port_.devices["\\\\.\\COM0"] = {{0x11, 0xA0}, false, {}, {}};
  EXPECT_EQ(Run(), DownloadOutcome::kNotFound);
  EXPECT_EQ(label_.message, kNotFoundText);
}

TEST_F(ScriptedScanTest, ALineThatNeverFallsSilentIsGivenUpAfterTwoImages) {
  port_.devices["\\\\.\\COM0"] = {{}, false, {0xA0}, std::vector<std::uint8_t>(3 * kDumpSize)};
  EXPECT_EQ(Run(), DownloadOutcome::kInterrupted);
  EXPECT_EQ(label_.message, InterruptionText(2 * kDumpSize));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "default.tmp"));
}

// A full disk, and a program directory that has gone: the earlier default.tmp stays as it was and
// the job names the reason.
TEST_F(ScriptedScanTest, AWriteThatFailsKeepsTheEarlierDumpAndSaysWhy) {
  Spit(dir_ / "default.tmp", kEarlier);
  port_.devices["\\\\.\\COM0"] = {{}, false, {0xA0}, TestImage()};
  const auto write_error = [&](DownloadHost& host) {
    ThreadPotok job(host, port_, WindowsPortCandidates(), stop_, clock_);
    return job.Execute() == DownloadOutcome::kWriteRefused ? job.write_error() : "written";
  };
  EXPECT_THAT(
      testing::RunWithFileSizeLimit(100000, [&] { throw std::runtime_error(write_error(host_)); }),
      ::testing::HasSubstr("default.tmp»: File too large"));
  RecordingHost gone(dir_ / "gone");
  EXPECT_THAT(write_error(gone), ::testing::HasSubstr("No such file or directory"));
  EXPECT_EQ(Slurp(dir_ / "default.tmp"), kEarlier);
  EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"default.tmp"});
}

TEST_F(ScriptedScanTest, DrainsANoisyPortForAtMost384Bytes) {
  port_.devices["\\\\.\\COM3"] = {{}, true, {0xA0}, {}};
  EXPECT_EQ(Run(), DownloadOutcome::kInterrupted);  // found, then sent nothing
  EXPECT_EQ(port_.read_before_probe, kMaxDrainReads);
  EXPECT_EQ(label_.message, InterruptionText(0));
}

}  // namespace
}  // namespace tavrix
