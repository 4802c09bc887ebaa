#pragma once

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace sledway::app::test {

struct RunnerProcess {
  int status = -1;         // the exit status; -1 when it did not exit normally
  long peakKilobytes = 0;  // the most memory it held, as its VmHWM says
};

// The peak resident memory of process `pid` (VmHWM in /proc/PID/status); 0 once it is gone.
inline long PeakKilobytesOf(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return 0;
}

// `program` with `args` as a process of its own, its standard output thrown away, the largest
// file it may write limited to `fileLimit` bytes when given (a write past it fails with EFBIG,
// as on a full disk). Its peak memory is read while it runs: the process's own high-water mark
// after exec, not the one rusage reports, which keeps the forking parent's.
inline RunnerProcess RunProcess(const std::string& program, const std::vector<std::string>& args,
                                rlim_t fileLimit = RLIM_INFINITY) {
  std::vector<std::string> words{program};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  // For a runner built with the sanitizers: Mesa's drivers keep memory for the life of the
  // process, in code a suppression cannot name (see xvfb_test_main.cpp), which the leak check
  // would report at exit and fail with; and memory freed is held back in a quarantine of up to
  // 256 MB, which would read as growth. Memory errors still end the runner.
  std::string noLeakCheck = "ASAN_OPTIONS=detect_leaks=0:quarantine_size_mb=1";
  std::vector<char*> environment{noLeakCheck.data()};
  for (char** variable = environ; *variable; ++variable) {
    if (std::string_view(*variable).rfind("ASAN_OPTIONS=", 0) != 0) {
      environment.push_back(*variable);
    }
  }
  environment.push_back(nullptr);
  // Closed by the exec: until then the child is a copy of this process, and its high-water
  // mark is this process's resident memory, not the runner's.
  int execed[2];
  if (::pipe2(execed, O_CLOEXEC) != 0) return RunnerProcess{};
  const pid_t child = ::fork();
  if (child == 0) {
    // Only calls that are safe between fork and exec.
    ::close(execed[0]);
    const rlimit limit{fileLimit, fileLimit};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, SIG_IGN);
    const int null = ::open("/dev/null", O_WRONLY);
    if (null >= 0) ::dup2(null, STDOUT_FILENO);
    ::execve(argv[0], argv.data(), environment.data());
    ::_exit(127);
  }
  ::close(execed[1]);
  RunnerProcess finished;
  if (child < 0) {
    ::close(execed[0]);
    return finished;
  }
  // Returns at the exec, or when the child ends without one.
  char nothing = 0;
  while (::read(execed[0], &nothing, 1) < 0 && errno == EINTR) {
  }
  ::close(execed[0]);
  int status = 0;
  for (;;) {
    // The high-water mark only grows: the last reading before the exit is the peak, short of
    // what the last few milliseconds added.
    finished.peakKilobytes = std::max(finished.peakKilobytes, PeakKilobytesOf(child));
    const pid_t done = ::waitpid(child, &status, WNOHANG);
    if (done == child) break;
    if (done < 0) return finished;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (WIFEXITED(status)) finished.status = WEXITSTATUS(status);
  return finished;
}

}  // namespace sledway::app::test
