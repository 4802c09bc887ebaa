#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/interrupt_cleanup.hpp"

namespace sledway::cli {

// A file written so that readers see either the old file or the whole new one, never a part:
// what goes into Stream() lands in a temporary file beside the target, which Commit() flushes
// to disk and renames over it. Without a Commit() (an error on the way) the temporary file is
// removed and the target stays as it was, also when an interrupt ends the runner
// (EndCleanlyOnInterrupt). A target that exists but is not a regular file
// (/dev/null, a pipe) is written directly; a link is followed. Failures throw
// std::runtime_error naming the file.
class AtomicFile {
 public:
  explicit AtomicFile(const std::filesystem::path& target);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  std::ostream& Stream() { return stream_; }
  void Commit();

 private:
  [[noreturn]] void Fail(const std::string& why);

  std::filesystem::path target_;  // as given, for messages
  std::filesystem::path file_;    // the file the target names
  std::string temporary_;         // empty when the target is written directly
  std::optional<RemovedOnInterrupt> removedOnInterrupt_;  // the temporary file
  std::ofstream stream_;
};

// The whole of `content` through an AtomicFile.
void WriteFileAtomically(const std::filesystem::path& target, std::string_view content);

}  // namespace sledway::cli
