// Cancellation on POSIX: a non-blocking pipe whose read end turns readable when the request is
// raised, so that poll() in the serial port and in the job's waits wakes at once.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "core/error.h"
#include "device/cancellation.h"

namespace tavrix {

Cancellation::Cancellation() {
  if (::pipe(pipe_) != 0) {
    throw Error(std::string("Не удалось создать канал остановки: ") + std::strerror(errno));
  }
  for (int fd : pipe_) {
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
  }
}

Cancellation::~Cancellation() {
  ::close(pipe_[0]);
  ::close(pipe_[1]);
}

void Cancellation::Cancel() {
  cancelled_.store(true);
  const char byte = 1;
  (void)!::write(pipe_[1], &byte, 1);  // one byte is enough; a full pipe is already readable
}

bool Cancellation::WaitFor(std::chrono::milliseconds duration) const {
  const auto deadline = std::chrono::steady_clock::now() + duration;
  while (!IsCancelled()) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd wake{WakeFd(), POLLIN, 0};
    ::poll(&wake, 1, static_cast<int>(left.count()));
  }
  return true;
}

}  // namespace tavrix
