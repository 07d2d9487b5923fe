// The termios serial port on a bare pseudo-terminal, and the Cancellation that wakes it.
#include "device/serial_port.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <future>

#include "support/temp_dir.h"
#include "support/tty_settings.h"

namespace tavrix {
namespace {

using testing::SettingsOf;

class Pty {
 public:
  Pty() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    grantpt(master_);
    unlockpt(master_);
    path_ = ptsname(master_);
  }
  ~Pty() { CloseMaster(); }
  void CloseMaster() {
    if (master_ >= 0) close(master_);
    master_ = -1;
  }
  const std::string& path() const { return path_; }
  int master() const { return master_; }

 private:
  int master_ = -1;
  std::string path_;
};

class SerialPortTest : public ::testing::Test {
 protected:
  Pty pty_;
  Cancellation stop_;
  std::unique_ptr<SerialPort> port_ = MakeSerialPort(stop_);
};

TEST_F(SerialPortTest, AppliesRaw115200TwoStopBitsAndRestoresTheSettingsFound) {
  const termios found = SettingsOf(pty_.path());  // a new pty: canonical, echoing
  ASSERT_TRUE(port_->Open(pty_.path()));
  port_->SaveSettings();
  ASSERT_TRUE(port_->ApplyLineSettings());
  const termios applied = SettingsOf(pty_.path());
  EXPECT_EQ(cfgetispeed(&applied), B115200);
  EXPECT_EQ(cfgetospeed(&applied), B115200);
  EXPECT_EQ(applied.c_cflag & (CSIZE | CSTOPB | CRTSCTS | CLOCAL), CS8 | CSTOPB | CLOCAL);
  EXPECT_EQ(applied.c_iflag & (IXON | IXOFF | IXANY | ICRNL), 0u);
  EXPECT_EQ(applied.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(applied.c_oflag & OPOST, 0u);

  port_->RestoreSettings();
  const termios restored = SettingsOf(pty_.path());
  EXPECT_EQ(cfgetispeed(&restored), cfgetispeed(&found));
  EXPECT_EQ(restored.c_lflag, found.c_lflag);
  EXPECT_EQ(restored.c_iflag, found.c_iflag);
}

TEST_F(SerialPortTest, OpensExclusivelyAndOnlyTerminals) {
  ASSERT_TRUE(port_->Open(pty_.path()));
  Cancellation other_stop;
  const auto other = MakeSerialPort(other_stop);
  EXPECT_FALSE(other->Open(pty_.path()));
  port_->Close();
  EXPECT_TRUE(other->Open(pty_.path()));

  testing::TempDir dir;
  { std::ofstream(dir / "file") << "not a tty"; }
  EXPECT_FALSE(port_->Open((dir / "file").string()));
  EXPECT_FALSE(port_->Open((dir / "missing").string()));
}

TEST_F(SerialPortTest, ReadsWhatIsThereAndReturnsNothingAfterSilence) {
  ASSERT_TRUE(port_->Open(pty_.path()));
  ASSERT_TRUE(port_->ApplyLineSettings());
  port_->SetTimeouts(kProbeTimeouts);
  ASSERT_EQ(write(pty_.master(), "\xA0\x01\x02", 3), 3);
  std::array<std::uint8_t, 8> buffer{};
  std::size_t got = 0;
  while (got < 3) {
    const std::size_t n = port_->Read(std::span(buffer).subspan(got));
    ASSERT_GT(n, 0u);
    got += n;
  }
  EXPECT_EQ(buffer[0], 0xA0);
  EXPECT_EQ(buffer[2], 0x02);
  EXPECT_EQ(port_->Read(buffer), 0u);

  ASSERT_TRUE(port_->Write(0x08));
  std::uint8_t probe = 0;
  ASSERT_EQ(read(pty_.master(), &probe, 1), 1);
  EXPECT_EQ(probe, 0x08);
}

// Both would wait ten minutes without the wake-up.
constexpr CommTimeouts kTenMinutes{0, 0, 600000, 0, 600000};

TEST_F(SerialPortTest, AStopRequestFromAnotherThreadEndsAWaitingRead) {
  ASSERT_TRUE(port_->Open(pty_.path()));
  ASSERT_TRUE(port_->ApplyLineSettings());
  port_->SetTimeouts(kTenMinutes);
  auto reader = std::async(std::launch::async, [&] {
    std::array<std::uint8_t, 8> buffer{};
    return port_->Read(buffer);
  });
  stop_.Cancel();
  EXPECT_EQ(reader.get(), 0u);
  EXPECT_TRUE(stop_.WaitFor(std::chrono::minutes(10)));
}

TEST_F(SerialPortTest, AHangUpEndsAWaitingRead) {
  ASSERT_TRUE(port_->Open(pty_.path()));
  ASSERT_TRUE(port_->ApplyLineSettings());
  port_->SetTimeouts(kTenMinutes);
  pty_.CloseMaster();
  std::array<std::uint8_t, 8> buffer{};
  EXPECT_EQ(port_->Read(buffer), 0u);
}

}  // namespace
}  // namespace tavrix
