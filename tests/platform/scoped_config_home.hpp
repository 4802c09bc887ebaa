#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "../common/test_directory.hpp"

namespace sledway::test {

// Points XDG_CONFIG_HOME at a fresh temporary folder while it lives, so that nothing reads or
// writes the real per-user settings, and removes the folder afterwards. By default the folder
// is in memory where there is one: flushing a file costs nothing there, which matters to tests
// that write hundreds of times.
class ScopedConfigHome {
 public:
  explicit ScopedConfigHome(
      const std::filesystem::path& parent = std::filesystem::exists("/dev/shm")
                                                ? "/dev/shm"
                                                : std::filesystem::temp_directory_path()) {
    std::string pattern = (parent / "sledway-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
    folder_ = pattern;
    if (const char* previous = std::getenv("XDG_CONFIG_HOME")) previous_ = previous;
    ::setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
  }
  ~ScopedConfigHome() {
    previous_ ? ::setenv("XDG_CONFIG_HOME", previous_->c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  ScopedConfigHome(const ScopedConfigHome&) = delete;
  ScopedConfigHome& operator=(const ScopedConfigHome&) = delete;

  std::filesystem::path HiveFile() const { return folder_ / "sledway" / "registry.reg"; }
  std::string HiveText() const { return Read(HiveFile()); }

  // Files beside the hive whose names are the hive file's name followed by `suffix`.
  std::vector<std::filesystem::path> Beside(const std::string& suffix) const {
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(HiveFile().parent_path())) {
      if (entry.path().filename().string().starts_with("registry.reg" + suffix)) {
        found.push_back(entry.path());
      }
    }
    return found;
  }

 private:
  std::filesystem::path folder_;
  std::optional<std::string> previous_;
};

}  // namespace sledway::test
