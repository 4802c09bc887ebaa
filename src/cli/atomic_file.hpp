#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>

#include "cli/interrupt_cleanup.hpp"
#include "platform/replacing_file.hpp"

namespace sledway::cli {

// An output file written through a platform::ReplacingFile: what goes into Stream() reaches the
// target whole at Commit() or not at all. The temporary file is removed also when an interrupt
// ends the runner (EndCleanlyOnInterrupt). A target that exists but is neither a regular file
// nor a directory (/dev/null, a pipe) is written directly. Failures throw std::runtime_error
// naming the file.
class AtomicFile {
 public:
  explicit AtomicFile(const std::filesystem::path& target);

  std::ostream& Stream() { return stream_; }
  void Commit();

 private:
  [[noreturn]] void Fail(const std::string& why);

  std::filesystem::path target_;
  std::optional<RemovedOnInterrupt> removedOnInterrupt_;  // the temporary file
  std::optional<platform::ReplacingFile> file_;           // none when written directly
  std::ofstream stream_;
};

}  // namespace sledway::cli
