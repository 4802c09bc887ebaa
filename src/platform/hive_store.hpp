#pragma once

#include <filesystem>
#include <functional>

#include "platform/hive.hpp"

namespace sledway::platform {

// The per-user hive file, shared by every process of the user.
//
// A change reads, alters and writes the whole file while holding an exclusive advisory lock
// (flock) on a lock file beside it ("<file>.lock"), so that two processes never lose each
// other's values. The new contents go to a temporary file in the same folder, which is
// flushed and then renamed over the hive, and the folder is flushed after: at every moment
// the hive file is either the old or the new one, whenever the writer dies.
//
// A file that cannot be parsed is never overwritten: it is renamed to
// "<file>.corrupt-<UTC time>", standard error names both files, and the store goes on empty.
//
// I/O failures throw std::system_error.
class HiveStore {
 public:
  // Called once the new contents are flushed to `temporary`, just before it replaces the
  // hive file: the seam where tests stop a writer at the worst moment.
  using BeforeReplace = std::function<void(const std::filesystem::path& temporary)>;

  explicit HiveStore(std::filesystem::path file, BeforeReplace beforeReplace = {});

  // "$XDG_CONFIG_HOME/sledway/registry.reg", with "~/.config" when XDG_CONFIG_HOME is unset
  // or not an absolute path. Read anew on each call.
  static std::filesystem::path DefaultFile();

  const std::filesystem::path& File() const { return file_; }

  // The hive as it is now; empty when there is no file yet. Needs no lock, since the file is
  // only ever replaced whole, except to move a corrupt file aside.
  Hive Read() const;

  // Reads the hive and passes it to `change`; when `change` returns true, writes it back.
  void Modify(const std::function<bool(Hive&)>& change) const;

 private:
  Hive LoadLocked() const;
  void SetAside(const std::string& problem) const;
  void RemoveStaleTemporaries() const;
  void WriteAtomically(const std::string& contents) const;

  std::filesystem::path file_;
  BeforeReplace beforeReplace_;
};

}  // namespace sledway::platform
