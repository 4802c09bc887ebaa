#pragma once

#include <filesystem>
#include <string>

namespace sledway::app {

// A file that replaces its target whole or not at all: it is written under a temporary name
// beside the target (so the rename stays on one file system), and Commit() flushes it to disk
// and renames it over the target. Without a Commit() the temporary file is removed and the
// target stays as it was. Failures throw std::runtime_error naming the target.
class ReplacingFile {
 public:
  explicit ReplacingFile(const std::filesystem::path& target);
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // Where to write until the commit.
  const std::string& TemporaryPath() const { return temporary_; }
  void Commit();
  // Removes the temporary file now; the target is left as it was.
  void Abandon();

 private:
  [[noreturn]] void Fail(const std::string& why);

  std::filesystem::path target_;
  std::string temporary_;  // empty once committed or abandoned
};

}  // namespace sledway::app
