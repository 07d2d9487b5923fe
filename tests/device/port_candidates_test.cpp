#include "device/port_candidates.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "core/cp1251.h"
#include "support/temp_dir.h"

namespace tavrix {
namespace {

using ::testing::ElementsAre;

TEST(PortCandidatesTest, SystemDevicesComeByGroupThenNumber) {
  testing::TempDir dev;
  for (const char* name : {"ttyS10", "ttyS2", "ttyACM0", "ttyUSB10", "ttyUSB2", "ttyUSBx", "ttyS",
                           "tty1", "ttyprintk", "console"}) {
    std::ofstream(dev / name);
  }
  std::vector<std::string> names;
  for (const auto& p : SystemSerialDevices(dev.path())) {
    EXPECT_EQ(p.display, p.device);
    names.push_back(std::filesystem::path(p.device).filename().string());
  }
  EXPECT_THAT(names, ElementsAre("ttyUSB2", "ttyUSB10", "ttyACM0", "ttyS2", "ttyS10"));
}

#ifndef _WIN32
// (Windows always scans its COM ports.)
TEST(PortCandidatesTest, TheSettingsListComesFirstAndIsCutAt55) {
  std::string list = " /dev/ttyUSB3 ; ;/dev/ttyS0";
  for (int i = 0; i < 60; ++i) list += ";/dev/pts/" + std::to_string(i);
  const IniFile settings =
      IniFile::Parse(Utf8ToCp1251("[Настройки]\r\nSerialPorts=" + list + "\r\n"));
  const auto ports = PortCandidates(settings);
  ASSERT_EQ(ports.size(), kMaxPortCandidates);
  EXPECT_EQ(ports[0], (PortCandidate{"/dev/ttyUSB3", "/dev/ttyUSB3"}));
  EXPECT_EQ(ports[1], (PortCandidate{"/dev/ttyS0", "/dev/ttyS0"}));
  EXPECT_EQ(ports[54].device, "/dev/pts/52");
}
#endif

TEST(PortCandidatesTest, WindowsScansCom0ToCom54) {
  const auto ports = WindowsPortCandidates();
  ASSERT_EQ(ports.size(), 55u);
  EXPECT_EQ(ports.front(), (PortCandidate{"\\\\.\\COM0", "COM0"}));
  EXPECT_EQ(ports.back(), (PortCandidate{"\\\\.\\COM54", "COM54"}));
}

}  // namespace
}  // namespace tavrix
