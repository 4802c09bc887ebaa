#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace sledway::platform {

// A file that replaces its target whole or not at all, so that readers see either the old file
// or the whole new one. It is written under a temporary name beside the file the target names
// (a link is followed, so the file it names is replaced rather than the link), and Commit()
// flushes it to disk and renames it over that file. Without a Commit() the temporary file is
// removed and the target stays as it was. Failures throw std::runtime_error naming the target.
class ReplacingFile {
 public:
  // `naming`, when given, hears each temporary name before the file is made, so that a caller
  // can have it removed should the program end before the commit.
  explicit ReplacingFile(const std::filesystem::path& target,
                         const std::function<void(const std::string&)>& naming = {});
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

  std::filesystem::path target_;  // as given, for messages
  std::filesystem::path file_;    // the file the target names
  std::string temporary_;         // empty once committed or abandoned
};

}  // namespace sledway::platform
