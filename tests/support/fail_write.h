// Makes a file write fail the way a full disk does: runs `write` in a child process whose file
// size limit is `limit_bytes` (EFBIG instead of a full file system; SIGXFSZ is ignored). Returns
// what the child reported: the message of the Error it caught, or "" when nothing failed.
// POSIX only: Windows has neither fork nor file size limits.
#pragma once
#ifndef _WIN32

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <string>

namespace tavrix::testing {

inline std::string RunWithFileSizeLimit(std::size_t limit_bytes,
                                        const std::function<void()>& write) {
  int fds[2];
  if (pipe(fds) != 0) return "pipe failed";
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{limit_bytes, limit_bytes};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::string message;
    try {
      write();
    } catch (const std::exception& e) {
      message = e.what();
    }
    (void)!::write(fds[1], message.data(), message.size());
    _exit(0);
  }
  close(fds[1]);
  std::string message;
  char buf[512];
  for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;)
    message.append(buf, static_cast<std::size_t>(n));
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return message;
}

}  // namespace tavrix::testing

#endif  // _WIN32
