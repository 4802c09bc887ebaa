#pragma once

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace sledway::test {

// Runs `body` in a forked child, which ends with status 0 when `body` returns and 3 when it
// throws. The child leaves through _exit, so nothing of the test process runs twice.
inline pid_t StartChild(const std::function<void()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    try {
      body();
    } catch (...) {
      ::_exit(3);
    }
    ::_exit(0);
  }
  return pid;
}

// The child's wait status.
inline int WaitFor(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
  }
  return status;
}

}  // namespace sledway::test
