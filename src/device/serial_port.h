// The serial line to the transfer unit, as the download job uses it: exclusive open by name,
// the port's own line settings and timeouts saved and put back, 115200 baud 8E2 without flow
// control, timeouts in the form of the Windows COMMTIMEOUTS, purge, timed reads and writes.
// One implementation per platform; MakeSerialPort gives this platform's. Reads and waits wake
// at once when the given Cancellation is raised.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "device/cancellation.h"
#include "device/transfer_protocol.h"

namespace tavrix {

// Milliseconds, as the fields of COMMTIMEOUTS.
struct CommTimeouts {
  std::uint32_t read_interval = 0;
  std::uint32_t read_total_multiplier = 0;
  std::uint32_t read_total_constant = 0;
  std::uint32_t write_total_multiplier = 0;
  std::uint32_t write_total_constant = 0;

  // How long a one-byte read waits for its byte, and a one-byte write for the line.
  std::uint32_t SingleByteReadMs() const { return read_total_multiplier + read_total_constant; }
  std::uint32_t SingleByteWriteMs() const { return write_total_multiplier + write_total_constant; }
};

// While looking for the unit: a read that gets nothing returns after 100 ms.
inline constexpr CommTimeouts kProbeTimeouts{50, 50, 50, 50, 50};
// While receiving the image: a read that gets nothing returns after 400 ms.
inline constexpr CommTimeouts kDownloadTimeouts{1000, 200, 200, 50, 50};

class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // Opens the device (a platform name: "\\.\COM3", "/dev/ttyUSB0") for reading and writing,
  // shared with nobody. False when it is missing, busy or not a serial line. Closes first
  // whatever port was open.
  virtual bool Open(const std::string& name) = 0;

  // Keeps the open port's line settings and timeouts as found, for RestoreSettings.
  virtual void SaveSettings() = 0;
  virtual void RestoreSettings() = 0;

  // 115200 baud, 8 data bits, even parity, 2 stop bits, no hardware or software flow control,
  // raw bytes. False when the port refuses them.
  virtual bool ApplyLineSettings() = 0;
  virtual void SetTimeouts(const CommTimeouts& timeouts) = 0;

  // Drops whatever waits to be sent or to be read.
  virtual void Purge() = 0;

  // Waits as long as a one-byte read may (SingleByteReadMs) for data, then returns at once
  // with the bytes that are there, at most buffer.size(). Returns 0 after that much silence, on
  // a hang-up, a line error or a raised cancellation.
  virtual std::size_t Read(std::span<std::uint8_t> buffer) = 0;

  // Sends one byte; false when the line did not take it in time.
  virtual bool Write(std::uint8_t byte) = 0;

  // Closes the port if it is open.
  virtual void Close() = 0;
};

std::unique_ptr<SerialPort> MakeSerialPort(const Cancellation& cancellation);

}  // namespace tavrix
