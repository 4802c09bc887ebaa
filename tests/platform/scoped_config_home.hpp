#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

namespace sledway::test {

// A folder in memory where there is one: flushing a file to disk there costs nothing, which
// matters to tests that write thousands of times.
inline std::filesystem::path MemoryFolder() {
  const std::filesystem::path shm = "/dev/shm";
  std::error_code error;
  return std::filesystem::is_directory(shm, error) ? shm : std::filesystem::temp_directory_path();
}

// Points XDG_CONFIG_HOME at a fresh temporary folder while it lives, so that a test never
// reads or writes the real per-user settings, and removes the folder afterwards.
class ScopedConfigHome {
 public:
  explicit ScopedConfigHome(
      const std::filesystem::path& parent = std::filesystem::temp_directory_path()) {
    std::string pattern = (parent / "sledway-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
    folder_ = pattern;
    if (const char* previous = std::getenv("XDG_CONFIG_HOME")) previous_ = previous;
    ::setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
  }

  ~ScopedConfigHome() {
    if (previous_) {
      ::setenv("XDG_CONFIG_HOME", previous_->c_str(), 1);
    } else {
      ::unsetenv("XDG_CONFIG_HOME");
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  ScopedConfigHome(const ScopedConfigHome&) = delete;
  ScopedConfigHome& operator=(const ScopedConfigHome&) = delete;

  const std::filesystem::path& Folder() const { return folder_; }
  std::filesystem::path HiveFile() const { return folder_ / "sledway" / "registry.reg"; }

 private:
  std::filesystem::path folder_;
  std::optional<std::string> previous_;
};

}  // namespace sledway::test
