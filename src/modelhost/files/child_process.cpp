#include "modelhost/files/child_process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <system_error>

namespace sledway::model {

namespace {

// The exit status of a child whose work threw: the work is meant to put its own failures into
// what it returns.
constexpr int kWorkThrew = 125;

[[noreturn]] void RunAsChild(const std::function<std::string()>& work, int output, pid_t parent) {
  // The child must not outlive us, should we be killed while it works (or before it asked).
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (::getppid() != parent) ::_exit(kWorkThrew);
  // A crash is expected now and then; it leaves no core file in the user's folder.
  const rlimit noCore{0, 0};
  ::setrlimit(RLIMIT_CORE, &noCore);
  // An interrupt is for the parent, which cleans up what it started; the child just ends. The
  // parent's crash handlers (a sanitizer's, a fuzzer's) report the parent's faults: a crash of
  // the child is an outcome the parent reports, by the signal that ended it.
  for (const int signal :
       {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) {
    std::signal(signal, SIG_DFL);
  }
  const int quiet = ::open("/dev/null", O_WRONLY);
  if (quiet >= 0) ::dup2(quiet, STDOUT_FILENO);
  std::string bytes;
  try {
    bytes = work();
  } catch (...) {
    ::_exit(kWorkThrew);
  }
  for (std::size_t written = 0; written < bytes.size();) {
    const ssize_t n = ::write(output, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) ::_exit(kWorkThrew);
    written += static_cast<std::size_t>(n);
  }
  // _exit, not exit: the parent's unflushed output and its static objects belong to the parent.
  ::_exit(0);
}

// Reads the child's output until it closes the pipe, which it does only by ending; false when
// `deadline` passes first. A failed poll or read (an interrupt) is tried again until then.
bool ReadUntilClosed(int input, std::chrono::steady_clock::time_point deadline,
                     std::string& output) {
  char buffer[65536];
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd ready{input, POLLIN, 0};
    if (::poll(&ready, 1, static_cast<int>(left.count()) + 1) <= 0) continue;
    const ssize_t n = ::read(input, buffer, sizeof buffer);
    if (n == 0) return true;
    if (n > 0) output.append(buffer, static_cast<std::size_t>(n));
  }
}

int WaitFor(pid_t child) {
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

}  // namespace

ChildOutcome RunInChild(const std::function<std::string()>& work, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int pipe[2];
  if (::pipe2(pipe, O_CLOEXEC) != 0) {
    throw std::system_error(errno, std::generic_category(), "cannot make a pipe");
  }
  const pid_t parent = ::getpid();
  const pid_t child = ::fork();
  if (child < 0) {
    const int error = errno;
    ::close(pipe[0]);
    ::close(pipe[1]);
    throw std::system_error(error, std::generic_category(), "cannot start a process");
  }
  if (child == 0) {
    ::close(pipe[0]);
    RunAsChild(work, pipe[1], parent);
  }
  ::close(pipe[1]);
  ChildOutcome outcome;
  const bool closed = ReadUntilClosed(pipe[0], deadline, outcome.output);
  ::close(pipe[0]);
  if (!closed) ::kill(child, SIGKILL);
  const int status = WaitFor(child);
  if (!closed) {
    outcome.ending = ChildOutcome::Ending::kTimedOut;
  } else if (WIFSIGNALED(status)) {
    outcome.ending = ChildOutcome::Ending::kSignalled;
    outcome.code = WTERMSIG(status);
  } else if (WEXITSTATUS(status) != 0) {
    outcome.ending = ChildOutcome::Ending::kExited;
    outcome.code = WEXITSTATUS(status);
  }
  if (outcome.ending != ChildOutcome::Ending::kFinished) outcome.output.clear();
  return outcome;
}

}  // namespace sledway::model
