#include "zhuv6sim/simulator.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "core/error.h"
#include "data/image_checksum.h"

namespace tavrix::sim {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr milliseconds kIdlePoll{20};      // how often a unit without a client looks for one
constexpr milliseconds kLinePace{10};      // the line rate is kept in steps this long
constexpr milliseconds kHangupGrace{100};  // lets the client read what was sent, under 400 ms
constexpr std::size_t kChunk = 4096;

[[noreturn]] void Fail(const char* what) {
  throw Error(std::string("zhuv6-sim: ") + what + ": " + std::strerror(errno));
}

// Noise that never holds the answer byte, so that it never passes for one.
const std::array<std::uint8_t, kChunk>& Noise() {
  static const auto noise = [] {
    std::array<std::uint8_t, kChunk> bytes{};
    std::uint32_t state = 12345;
    for (auto& b : bytes) {
      state = state * 1103515245 + 12345;
      b = static_cast<std::uint8_t>(state >> 16);
      if (b == kAnswerByte) b = 0x5A;
    }
    return bytes;
  }();
  return noise;
}

// Bytes due by now at the line rate since `start`, or all of them when sending fast.
std::uint64_t Due(bool fast, Clock::time_point start, std::uint64_t limit) {
  if (fast) return limit;
  const auto us =
      std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count();
  return std::min<std::uint64_t>(limit,
                                 static_cast<std::uint64_t>(us) * kLineBytesPerSecond / 1000000);
}

int PollMs(milliseconds ms) { return static_cast<int>(ms.count()); }

}  // namespace

struct Simulator::Connection {
  bool probed = false;
  std::optional<Clock::time_point> answer_due;
  bool sending = false;
  std::uint64_t sent = 0;
  Clock::time_point send_start;
  Clock::time_point noise_start = Clock::now();
  std::uint64_t noise_sent = 0;
  bool served = false;   // a whole request has been sent
  bool blocked = false;  // the pty took no more
};

Simulator::Simulator(SimOptions options) : options_(std::move(options)) {
  stream_ = options_.image;
  if (options_.corrupt_checksum && stream_.size() > kImageChecksumOffset) {
    ++stream_[kImageChecksumOffset];
  }
  stream_.insert(stream_.end(), options_.surplus, 0x55);
  for (const auto& limit : {options_.stop_after, options_.hangup_after}) {
    if (limit && *limit < stream_.size()) stream_.resize(*limit);
  }

  master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) Fail("posix_openpt");
  ::fcntl(master_, F_SETFD, FD_CLOEXEC);
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  char name[128];
  if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
      ::ptsname_r(master_, name, sizeof name) != 0) {
    Fail("ptsname");
  }
  slave_path_ = name;
  // A new slave starts canonical and echoing; a serial line is raw.
  const int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave < 0) Fail("open slave");
  termios t{};
  ::tcgetattr(slave, &t);
  ::cfmakeraw(&t);
  ::tcsetattr(slave, TCSANOW, &t);
  ::close(slave);
}

Simulator::~Simulator() {
  if (master_ >= 0) ::close(master_);
}

void Simulator::Run(const Cancellation& stop) {
  bool downloaded = false;
  while (!stop.IsCancelled() && !(options_.once && downloaded)) {
    pollfd p{master_, POLLIN, 0};
    ::poll(&p, 1, 0);
    if ((p.revents & POLLHUP) != 0 && (p.revents & POLLIN) == 0) {  // no client
      stop.WaitFor(kIdlePoll);
      continue;
    }
    Connection c;
    if (Serve(c, stop)) return;  // hung up: the unit is gone
    downloaded = downloaded || c.served;
  }
}

// Serves one client until it closes the port. True when the unit hung up instead.
bool Simulator::Serve(Connection& c, const Cancellation& stop) {
  while (!stop.IsCancelled()) {
    WriteSome(c);
    if (c.sending && c.sent == stream_.size()) {
      c.sending = false;
      if (options_.hangup_after) {
        stop.WaitFor(kHangupGrace);
        ::close(master_);
        master_ = -1;
        return true;
      }
      c.served = true;
    }

    milliseconds wait{100};
    const bool pacing = c.sending || (options_.noise && !c.probed);
    if (pacing && !options_.fast) wait = kLinePace;
    if (c.answer_due) {
      wait = std::min(wait, std::chrono::ceil<milliseconds>(*c.answer_due - Clock::now()));
      wait = std::max(wait, milliseconds{0});
    }
    const short events = POLLIN | (c.blocked ? POLLOUT : 0);
    pollfd fds[2] = {{master_, events, 0}, {stop.WakeFd(), POLLIN, 0}};
    if (::poll(fds, 2, PollMs(wait)) < 0 && errno != EINTR) Fail("poll");
    if ((fds[0].revents & POLLIN) != 0) {
      std::array<std::uint8_t, 256> in;
      const ssize_t n = ::read(master_, in.data(), in.size());
      if (n > 0) OnBytes(c, in.data(), static_cast<std::size_t>(n));
    } else if ((fds[0].revents & POLLHUP) != 0) {
      return false;  // the client closed the port
    }
  }
  return false;
}

void Simulator::OnBytes(Connection& c, const std::uint8_t* bytes, std::size_t n) {
  if (options_.never_answer) return;
  for (std::size_t i = 0; i < n && !c.sending; ++i) {
    if (bytes[i] == kProbeByte) {
      c.probed = true;
      c.answer_due = Clock::now() + options_.answer_delay;
    } else if (bytes[i] == kSendImageByte) {
      c.sending = true;
      c.sent = 0;
      c.send_start = Clock::now();
    }
  }
}

// Writes what is due: the answer, the image, or noise before the probe.
void Simulator::WriteSome(Connection& c) {
  c.blocked = false;
  auto put = [&](const std::uint8_t* data, std::size_t n) -> std::size_t {
    const ssize_t written = ::write(master_, data, n);
    if (written > 0) return static_cast<std::size_t>(written);
    c.blocked = errno == EAGAIN;
    return 0;
  };
  if (c.answer_due && Clock::now() >= *c.answer_due) {
    if (put(&options_.answer, 1) == 1) c.answer_due.reset();
  }
  if (c.sending) {
    const std::uint64_t due = Due(options_.fast, c.send_start, stream_.size());
    while (c.sent < due) {
      const std::size_t n =
          put(stream_.data() + c.sent, std::min<std::uint64_t>(kChunk, due - c.sent));
      if (n == 0) break;
      c.sent += n;
    }
  } else if (options_.noise && !c.probed) {
    const std::uint64_t due = Due(options_.fast, c.noise_start, UINT64_MAX);
    while (c.noise_sent < due) {
      const std::size_t at = c.noise_sent % kChunk;
      const std::size_t n =
          put(Noise().data() + at, std::min<std::uint64_t>(kChunk - at, due - c.noise_sent));
      if (n == 0) break;
      c.noise_sent += n;
    }
  }
}

}  // namespace tavrix::sim
