#pragma once

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sledway::cli {

// The files a command reads, known by what they are rather than by name (device and inode), so
// that nothing the command writes lands on one of them, whatever link or other name reaches it.
class InputFiles {
 public:
  // Files that cannot be found are left out: they are not read.
  explicit InputFiles(const std::vector<std::filesystem::path>& files);

  // Throws UsageError naming `option` when `target` is one of the files read (through links).
  void RefuseOverwrite(std::string_view option, const std::filesystem::path& target) const;
  // Throws UsageError naming `option` when `directory` is one of the files read, or holds one
  // (where links lead) under a name that `written` says the command writes there.
  void RefuseWritesInto(std::string_view option, const std::filesystem::path& directory,
                        const std::function<bool(const std::string& name)>& written) const;

 private:
  struct Identity {
    dev_t device;
    ino_t inode;
    bool operator==(const Identity&) const = default;
  };
  struct Input {
    std::filesystem::path path;  // as the command was given it, for messages
    std::filesystem::path real;  // with every link resolved
    Identity identity;
  };

  static std::optional<Identity> IdentityOf(const std::filesystem::path& path);
  [[noreturn]] static void Refuse(std::string_view option, const std::filesystem::path& target,
                                  const Input& input);

  std::vector<Input> inputs_;
};

}  // namespace sledway::cli
