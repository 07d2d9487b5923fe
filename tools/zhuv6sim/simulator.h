// A simulated ЖУВ-6 transfer unit on a pseudo-terminal: programs open the slave side as they
// open a USB serial port. The unit answers the probe and, on request, sends its memory image at
// the line rate of 115200 8E2 (9 600 bytes a second) or as fast as the pty takes it. Faults can
// be injected: a short or long image, a wrong checksum, no or a wrong or a late answer, noise
// before the probe, a hang-up in the middle.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/cancellation.h"
#include "device/transfer_protocol.h"

namespace tavrix::sim {

struct SimOptions {
  std::vector<std::uint8_t> image;            // the memory image served
  bool fast = false;                          // as fast as the pty takes it, not at the line rate
  bool once = false;                          // end after one download, once the client has closed
  std::optional<std::uint64_t> stop_after;    // send only this many bytes of the image
  std::uint64_t surplus = 0;                  // bytes sent after the image
  bool corrupt_checksum = false;              // the stored image checksum off by one
  bool never_answer = false;                  // ignore the probe and every request
  std::uint8_t answer = kAnswerByte;          // the byte sent in answer to the probe
  bool noise = false;                         // send noise (never 0xA0) until the probe comes
  std::chrono::milliseconds answer_delay{0};  // answer the probe this late
  std::optional<std::uint64_t> hangup_after;  // hang up after sending this many bytes
};

class Simulator {
 public:
  // Creates the pty and makes its slave raw. Throws Error when that fails.
  explicit Simulator(SimOptions options);
  ~Simulator();
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  // The device path that clients open, such as /dev/pts/3.
  const std::string& slave_path() const { return slave_path_; }

  // Serves clients until `stop` is raised, the unit hangs up, or (once) one download is over.
  void Run(const Cancellation& stop);

 private:
  struct Connection;
  bool Serve(Connection& c, const Cancellation& stop);
  void OnBytes(Connection& c, const std::uint8_t* bytes, std::size_t n);
  void WriteSome(Connection& c);

  SimOptions options_;
  std::vector<std::uint8_t> stream_;  // what one request is answered with
  int master_ = -1;
  std::string slave_path_;
};

}  // namespace tavrix::sim
