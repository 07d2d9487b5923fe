// SerialPort over termios: exclusive open (TIOCEXCL and an advisory lock, which also holds
// against root), raw 115200 8E2, timeouts kept by poll() against a steady-clock deadline, and
// the port's own termios put back on request.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "core/file_io.h"
#include "device/serial_port.h"

namespace tavrix {
namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds left until the deadline, rounded up, never negative.
int MsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// A pseudo-terminal takes these settings but drops the parity bit, so a read-back is judged on
// everything else.
bool SameExceptParity(termios wanted, termios got) {
  wanted.c_cflag &= ~(PARENB | PARODD);
  got.c_cflag &= ~(PARENB | PARODD);
  return wanted.c_iflag == got.c_iflag && wanted.c_oflag == got.c_oflag &&
         wanted.c_cflag == got.c_cflag && wanted.c_lflag == got.c_lflag &&
         cfgetispeed(&wanted) == cfgetispeed(&got) && cfgetospeed(&wanted) == cfgetospeed(&got);
}

class PosixSerialPort final : public SerialPort {
 public:
  explicit PosixSerialPort(const Cancellation& cancellation) : cancellation_(cancellation) {}
  ~PosixSerialPort() override { Close(); }

  bool Open(const std::string& name) override {
    Close();
    const int fd = ::open(PathFromUtf8(name).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    // The lock first: a port that another program holds is left as that program set it.
    if (!::isatty(fd) || ::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd, TIOCEXCL) != 0) {
      ::close(fd);
      return false;
    }
    fd_ = fd;
    return true;
  }

  void SaveSettings() override {
    has_saved_ = fd_ >= 0 && ::tcgetattr(fd_, &saved_) == 0;
    saved_timeouts_ = timeouts_;
  }

  void RestoreSettings() override {
    if (has_saved_) ::tcsetattr(fd_, TCSANOW, &saved_);
    timeouts_ = saved_timeouts_;
  }

  bool ApplyLineSettings() override {
    termios t{};
    if (fd_ < 0 || ::tcgetattr(fd_, &t) != 0) return false;
    ::cfmakeraw(&t);
    t.c_cflag &= ~(CSIZE | PARODD | CRTSCTS);
    t.c_cflag |= CS8 | PARENB | CSTOPB | CLOCAL | CREAD;
    t.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);  // no software flow control, parity ignored
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    ::cfsetispeed(&t, B115200);
    ::cfsetospeed(&t, B115200);
    // The result of tcsetattr is not trusted either way: a pty may refuse the parity bit while
    // taking the rest. What the port reports back decides.
    ::tcsetattr(fd_, TCSANOW, &t);
    // DTR and RTS stay low, as with their control disabled; a pty has no modem lines.
    const int lines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd_, TIOCMBIC, &lines);
    termios back{};
    return ::tcgetattr(fd_, &back) == 0 && SameExceptParity(t, back);
  }

  void SetTimeouts(const CommTimeouts& timeouts) override { timeouts_ = timeouts; }

  void Purge() override {
    if (fd_ >= 0) ::tcflush(fd_, TCIOFLUSH);
  }

  std::size_t Read(std::span<std::uint8_t> buffer) override {
    if (fd_ < 0 || buffer.empty()) return 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeouts_.SingleByteReadMs());
    for (;;) {
      pollfd fds[2] = {{fd_, POLLIN, 0}, {cancellation_.WakeFd(), POLLIN, 0}};
      const int ready = ::poll(fds, 2, MsLeft(deadline));
      if (ready < 0 && errno == EINTR) continue;
      if (ready <= 0 || fds[1].revents != 0) return 0;  // silence, failure or a stop request
      if ((fds[0].revents & POLLIN) != 0) {
        const ssize_t n = ::read(fd_, buffer.data(), buffer.size());
        if (n > 0) return static_cast<std::size_t>(n);
        if (n < 0 && errno != EAGAIN && errno != EINTR) return 0;
      }
      if ((fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) return 0;  // hang-up
      if (MsLeft(deadline) == 0) return 0;
    }
  }

  bool Write(std::uint8_t byte) override {
    if (fd_ < 0) return false;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeouts_.SingleByteWriteMs());
    for (;;) {
      const ssize_t n = ::write(fd_, &byte, 1);
      if (n == 1) return true;
      if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
      pollfd fds[2] = {{fd_, POLLOUT, 0}, {cancellation_.WakeFd(), POLLIN, 0}};
      const int ready = ::poll(fds, 2, MsLeft(deadline));
      if (ready < 0 && errno == EINTR) continue;
      if (ready <= 0 || fds[1].revents != 0) return false;
      if ((fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) return false;
    }
  }

  void Close() override {
    if (fd_ < 0) return;
    ::ioctl(fd_, TIOCNXCL);  // the exclusive mark outlives this descriptor otherwise
    ::close(fd_);
    fd_ = -1;
    has_saved_ = false;
  }

 private:
  const Cancellation& cancellation_;
  int fd_ = -1;
  termios saved_{};
  bool has_saved_ = false;
  CommTimeouts timeouts_{};
  CommTimeouts saved_timeouts_{};
};

}  // namespace

std::unique_ptr<SerialPort> MakeSerialPort(const Cancellation& cancellation) {
  return std::make_unique<PosixSerialPort>(cancellation);
}

}  // namespace tavrix
