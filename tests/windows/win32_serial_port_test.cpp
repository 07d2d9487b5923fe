// The Windows serial port through a stand-in for the communications API that records every call:
// a whole download by the job, from a scan past a missing and a silent port to the unit.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <map>

#include "device/download_job.h"
#include "device/serial_port_win32.h"
#include "imagegen/recorder_image.h"
#include "support/files.h"
#include "support/temp_dir.h"

namespace tavrix {
namespace {

using ::testing::ElementsAre;

// A port as the stand-in keeps it: what it answers, the settings it was found with and holds now.
struct FakeDevice {
  std::vector<std::uint8_t> answer;  // sent after the probe byte
  std::vector<std::uint8_t> image;   // sent after 0x02
  DCB dcb{};
  COMMTIMEOUTS timeouts{};
  std::deque<std::uint8_t> pending;
};

class RecordingCommApi final : public Win32CommApi {
 public:
  std::map<std::string, FakeDevice> devices;
  std::vector<std::string> calls;
  std::vector<DCB> set_states;
  std::vector<COMMTIMEOUTS> set_timeouts;

  HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, DWORD disposition,
                     DWORD flags) override {
    calls.push_back("CreateFileA " + std::string(name) + " " + std::to_string(access) + " " +
                    std::to_string(share) + " " + std::to_string(disposition) + " " +
                    std::to_string(flags));
    const auto it = devices.find(name);
    if (it == devices.end()) return INVALID_HANDLE_VALUE;
    open_ = &it->second;
    return Handle();
  }
  BOOL GetCommState(HANDLE port, DCB* dcb) override {
    Log("GetCommState", port);
    *dcb = open_->dcb;
    return TRUE;
  }
  BOOL SetCommState(HANDLE port, DCB* dcb) override {
    Log("SetCommState", port);
    set_states.push_back(*dcb);
    open_->dcb = *dcb;
    return TRUE;
  }
  BOOL GetCommTimeouts(HANDLE port, COMMTIMEOUTS* timeouts) override {
    Log("GetCommTimeouts", port);
    *timeouts = open_->timeouts;
    return TRUE;
  }
  BOOL SetCommTimeouts(HANDLE port, COMMTIMEOUTS* timeouts) override {
    Log("SetCommTimeouts", port);
    set_timeouts.push_back(*timeouts);
    open_->timeouts = *timeouts;
    return TRUE;
  }
  BOOL PurgeComm(HANDLE port, DWORD flags) override {
    Log("PurgeComm " + std::to_string(flags), port);
    open_->pending.clear();
    return TRUE;
  }
  BOOL ReadFile(HANDLE port, void* buffer, DWORD size, DWORD* got) override {
    if (port != Handle() || size != 1) calls.push_back("ReadFile of " + std::to_string(size));
    *got = 0;
    if (!open_->pending.empty()) {
      *static_cast<std::uint8_t*>(buffer) = open_->pending.front();
      open_->pending.pop_front();
      *got = 1;
    }
    return TRUE;
  }
  BOOL WriteFile(HANDLE port, const void* buffer, DWORD size, DWORD* put) override {
    const std::uint8_t byte = *static_cast<const std::uint8_t*>(buffer);
    Log("WriteFile " + std::to_string(byte) + " of " + std::to_string(size), port);
    const auto& send = byte == 0x08 ? open_->answer : open_->image;
    open_->pending.assign(send.begin(), send.end());
    *put = size;
    return TRUE;
  }
  BOOL CloseHandle(HANDLE port) override {
    Log("CloseHandle", port);
    open_ = nullptr;
    return TRUE;
  }

 private:
  HANDLE Handle() const { return reinterpret_cast<HANDLE>(std::uintptr_t{0x1234}); }
  void Log(const std::string& call, HANDLE port) {
    calls.push_back(port == Handle() && open_ != nullptr ? call : call + " on a closed port");
  }
  FakeDevice* open_ = nullptr;
};

class QuietHost final : public DownloadHost {
 public:
  explicit QuietHost(std::filesystem::path dir) : dir_(std::move(dir)) {}
  std::filesystem::path Directory() const override { return dir_; }
  void Synchronize(const std::function<void()>& step) override { step(); }
  void ShowStatus(const DownloadStatus&) override {}
  void CloseWindow() override {}

 private:
  std::filesystem::path dir_;
};

bool SameBytes(const DCB& a, const DCB& b) { return std::memcmp(&a, &b, sizeof(DCB)) == 0; }
bool SameBytes(const COMMTIMEOUTS& a, const COMMTIMEOUTS& b) {
  return std::memcmp(&a, &b, sizeof(COMMTIMEOUTS)) == 0;
}

DCB FoundSettings() {
  DCB dcb{};
  dcb.DCBlength = sizeof(DCB);
  dcb.BaudRate = 9600;
  dcb.fBinary = TRUE;
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
  dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
  dcb.ByteSize = 7;
  dcb.Parity = ODDPARITY;
  dcb.XonChar = 0x11;
  dcb.XoffChar = 0x13;
  return dcb;
}

TEST(Win32SerialPort, ADownloadMakesTheCallsWithTheSettingsAndPutsBackASilentPortsOwn) {
  const auto image =
      gen::GenerateImage({Model::k52A, 7, gen::PlausibleHeader(Model::k52A, 7), 0, {}, {}});
  RecordingCommApi api;
  const COMMTIMEOUTS found_timeouts{7, 8, 9, 10, 11};
  api.devices["\\\\.\\COM1"] = {{}, {}, FoundSettings(), found_timeouts, {0x55, 0x55}};
  api.devices["\\\\.\\COM2"] = {{0xA0}, image, FoundSettings(), found_timeouts, {}};

  testing::TempDir dir;
  QuietHost host(dir.path());
  Cancellation stop;
  const auto port = MakeWin32SerialPort(stop, api);
  const FixedClock clock({2026, 3, 4, 10, 0, 0});
  ThreadPotok job(host, *port, WindowsPortCandidates(), stop, clock);
  ASSERT_EQ(job.Execute(), DownloadOutcome::kDone);
  EXPECT_EQ(testing::Slurp(dir / "default.tmp"), image);

  // Read and write for both, no sharing, an existing device, synchronous; purges abort and clear.
  const std::string open = " 3221225472 0 3 0";
  const std::string purge = "PurgeComm 15";
  const std::vector<std::string> probe = {"GetCommState", "GetCommTimeouts", "SetCommState",
                                          "SetCommTimeouts", purge};
  std::vector<std::string> expected = {"CreateFileA \\\\.\\COM0" + open,
                                       "CreateFileA \\\\.\\COM1" + open};
  expected.insert(expected.end(), probe.begin(), probe.end());
  expected.insert(expected.end(), {"WriteFile 8 of 1", "SetCommState", "SetCommTimeouts",
                                   "CloseHandle", "CreateFileA \\\\.\\COM2" + open});
  expected.insert(expected.end(), probe.begin(), probe.end());
  expected.insert(expected.end(), {"WriteFile 8 of 1", purge, "SetCommTimeouts", "WriteFile 2 of 1",
                                   "CloseHandle"});
  EXPECT_EQ(api.calls, expected);

  // 115200 baud, 8 data bits, even parity, two stop bits, nothing else but what Windows needs.
  DCB line{};
  line.DCBlength = sizeof(DCB);
  line.BaudRate = 115200;
  line.fBinary = TRUE;
  line.ByteSize = 8;
  line.Parity = EVENPARITY;
  line.StopBits = TWOSTOPBITS;
  line.XonChar = 0x11;
  line.XoffChar = 0x13;
  ASSERT_EQ(api.set_states.size(), 3u);
  EXPECT_TRUE(SameBytes(api.set_states[0], line));
  EXPECT_TRUE(SameBytes(api.set_states[1], FoundSettings())) << "COM1 gets its own back";
  EXPECT_TRUE(SameBytes(api.set_states[2], line));

  const COMMTIMEOUTS probe_timeouts{50, 50, 50, 50, 50};
  const COMMTIMEOUTS download_timeouts{1000, 200, 200, 50, 50};
  ASSERT_EQ(api.set_timeouts.size(), 4u);
  EXPECT_TRUE(SameBytes(api.set_timeouts[0], probe_timeouts));
  EXPECT_TRUE(SameBytes(api.set_timeouts[1], found_timeouts));
  EXPECT_TRUE(SameBytes(api.set_timeouts[2], probe_timeouts));
  EXPECT_TRUE(SameBytes(api.set_timeouts[3], download_timeouts));
}

}  // namespace
}  // namespace tavrix
