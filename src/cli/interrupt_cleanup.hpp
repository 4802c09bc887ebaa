#pragma once

#include <cstddef>
#include <string>

namespace sledway::cli {

// Ends the program on SIGINT, SIGTERM or SIGHUP with exit status 128 + the signal's number, after
// removing the files that RemovedOnInterrupt holds: the temporary files of unfinished writes,
// which would otherwise stay behind (and may be large). A signal the program was started to
// ignore (nohup) stays ignored. For the runner's main() alone: the handler ends the process.
void EndCleanlyOnInterrupt();

// While it lives, the file `path` is removed should a signal end the program through the
// handler of EndCleanlyOnInterrupt (without that handler, it does nothing). The path is kept
// where the handler can read it without allocating or locking; a path too long for that, or
// more such files at once than there is room for, is left to the writer's own clean-up.
class RemovedOnInterrupt {
 public:
  explicit RemovedOnInterrupt(const std::string& path);
  ~RemovedOnInterrupt();
  RemovedOnInterrupt(const RemovedOnInterrupt&) = delete;
  RemovedOnInterrupt& operator=(const RemovedOnInterrupt&) = delete;

 private:
  std::ptrdiff_t slot_ = -1;  // -1: not held
};

}  // namespace sledway::cli
