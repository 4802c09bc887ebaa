#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace sledway::model {

// How work run in a child process ended.
struct ChildOutcome {
  enum class Ending {
    kFinished,   // returned normally; `output` is what it returned
    kExited,     // ended with a non-zero exit status (`code`) without returning
    kSignalled,  // killed by signal `code` (a crash)
    kTimedOut,   // still running at the time limit, and killed
  };
  Ending ending = Ending::kFinished;
  int code = 0;
  std::string output;
};

// Runs `work` in a forked child of this process and hands back the bytes it returns. A crash,
// an abort or an endless loop inside `work` (in a library we cannot mend) costs the child only:
// this process sees how the child ended and carries on. The child is killed at `limit`, and
// with this process should this process die first. Nothing the child prints on standard output
// reaches ours. The child is forked without exec and runs this thread alone: should `work` wait
// for a lock that another thread held at the fork, the time limit ends it like any hang. Throws
// std::system_error when no child can be started.
ChildOutcome RunInChild(const std::function<std::string()>& work, std::chrono::milliseconds limit);

}  // namespace sledway::model
