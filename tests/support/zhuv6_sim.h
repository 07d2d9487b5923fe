// Runs the zhuv6-sim executable (ZHUV6_SIM_PATH, set by the build) as a child process for one
// test: starts it with the given options, reads the device path it prints, and ends it (SIGTERM)
// when the test is over.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace tavrix::testing {

class SimProcess {
 public:
  explicit SimProcess(std::vector<std::string> options) {
    options.insert(options.begin(), ZHUV6_SIM_PATH);
    std::vector<char*> argv;
    for (auto& o : options) argv.push_back(o.data());
    argv.push_back(nullptr);
    int out[2];
    if (pipe(out) != 0) throw std::runtime_error("pipe failed");
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      close(out[1]);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(out[1]);
    for (char c; read(out[0], &c, 1) == 1 && c != '\n';) path_ += c;
    close(out[0]);
    if (path_.empty()) throw std::runtime_error("zhuv6-sim printed no device path");
  }
  ~SimProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  const std::string& path() const { return path_; }

 private:
  pid_t pid_ = -1;
  std::string path_;
};

}  // namespace tavrix::testing
