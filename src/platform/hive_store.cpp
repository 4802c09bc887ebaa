#include "platform/hive_store.hpp"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/reg_file_format.hpp"

namespace sledway::platform {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void ThrowErrno(int error, const std::string& what) {
  throw std::system_error(error, std::generic_category(), what);
}

// Quoted so that a path with blanks still reads as one name.
std::string Quoted(const fs::path& path) {
  return "\"" + path.string() + "\"";
}

// An exclusive flock on the lock file, released when the descriptor closes.
class ExclusiveLock {
 public:
  explicit ExclusiveLock(const fs::path& lockFile)
      : fd_(::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
    if (fd_ < 0) ThrowErrno(errno, "cannot open the lock file " + Quoted(lockFile));
    while (::flock(fd_, LOCK_EX) != 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd_);
      ThrowErrno(error, "cannot lock " + Quoted(lockFile));
    }
  }
  ~ExclusiveLock() { ::close(fd_); }
  ExclusiveLock(const ExclusiveLock&) = delete;
  ExclusiveLock& operator=(const ExclusiveLock&) = delete;

 private:
  int fd_;
};

// The whole file, or nothing when it does not exist.
std::optional<std::string> ReadWholeFile(const fs::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return std::nullopt;
    ThrowErrno(errno, "cannot open " + Quoted(file));
  }
  std::string contents;
  std::vector<char> buffer(1 << 16);
  while (true) {
    const ssize_t count = ::read(fd, buffer.data(), buffer.size());
    if (count == 0) break;
    if (count < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      ThrowErrno(error, "cannot read " + Quoted(file));
    }
    contents.append(buffer.data(), static_cast<std::size_t>(count));
  }
  ::close(fd);
  return contents;
}

void WriteAll(int fd, std::string_view data, const fs::path& file) {
  while (!data.empty()) {
    const ssize_t count = ::write(fd, data.data(), data.size());
    if (count < 0) {
      if (errno == EINTR) continue;
      ThrowErrno(errno, "cannot write " + Quoted(file));
    }
    data.remove_prefix(static_cast<std::size_t>(count));
  }
}

// Makes a rename in the folder durable.
void FlushFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) ThrowErrno(errno, "cannot open the folder " + Quoted(folder));
  const int result = ::fsync(fd);
  const int error = errno;
  ::close(fd);
  if (result != 0) ThrowErrno(error, "cannot flush the folder " + Quoted(folder));
}

std::string UtcTimestamp() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  ::gmtime_r(&now, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &parts);
  return text;
}

fs::path HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  // Services may run without HOME; the user database still knows the folder.
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
      found != nullptr && found->pw_dir != nullptr && *found->pw_dir != '\0') {
    return found->pw_dir;
  }
  ThrowErrno(ENOENT, "no home folder to keep the settings in");
}

}  // namespace

HiveStore::HiveStore(std::filesystem::path file, BeforeReplace beforeReplace)
    : file_(std::move(file)), beforeReplace_(std::move(beforeReplace)) {}

std::filesystem::path HiveStore::DefaultFile() {
  fs::path config;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME");
      xdg != nullptr && fs::path(xdg).is_absolute()) {
    config = xdg;
  } else {
    config = HomeFolder() / ".config";
  }
  return config / "sledway" / "registry.reg";
}

Hive HiveStore::Read() const {
  const std::optional<std::string> text = ReadWholeFile(file_);
  if (!text) return Hive();
  try {
    return ParseRegFile(*text);
  } catch (const RegFormatError&) {
    // Moving the file aside is a change: it waits for the lock, and by then another process
    // may have moved it aside or written a good file already.
  }
  fs::path lockFile = file_;
  lockFile += ".lock";
  const ExclusiveLock lock(lockFile);
  return LoadLocked();
}

void HiveStore::Modify(const std::function<bool(Hive&)>& change) const {
  fs::create_directories(file_.parent_path());
  fs::path lockFile = file_;
  lockFile += ".lock";
  const ExclusiveLock lock(lockFile);
  Hive hive = LoadLocked();
  if (!change(hive)) return;
  RemoveStaleTemporaries();
  WriteAtomically(FormatRegFile(hive));
}

Hive HiveStore::LoadLocked() const {
  const std::optional<std::string> text = ReadWholeFile(file_);
  if (!text) return Hive();
  try {
    return ParseRegFile(*text);
  } catch (const RegFormatError& error) {
    SetAside(error.what());
    return Hive();
  }
}

void HiveStore::SetAside(const std::string& problem) const {
  const std::string stem = file_.string() + ".corrupt-" + UtcTimestamp();
  fs::path aside = stem;
  for (int n = 2; fs::exists(aside); ++n) aside = stem + "-" + std::to_string(n);
  fs::rename(file_, aside);
  FlushFolder(file_.parent_path());
  std::cerr << "sledway: the settings file " << Quoted(file_) << " cannot be read (" << problem
            << "); it has been moved to " << Quoted(aside) << " and the settings start empty\n";
}

// Under the lock no other writer is busy, so any temporary file is one a writer left behind
// when it died.
void HiveStore::RemoveStaleTemporaries() const {
  const std::string prefix = file_.filename().string() + ".tmp-";
  std::error_code ignored;
  for (const fs::directory_entry& entry : fs::directory_iterator(file_.parent_path())) {
    if (entry.path().filename().string().starts_with(prefix)) fs::remove(entry.path(), ignored);
  }
}

void HiveStore::WriteAtomically(const std::string& contents) const {
  std::string temporary = file_.string() + ".tmp-XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) ThrowErrno(errno, "cannot create a temporary file beside " + Quoted(file_));
  try {
    WriteAll(fd, contents, temporary);
    if (::fsync(fd) != 0) ThrowErrno(errno, "cannot flush " + Quoted(temporary));
  } catch (...) {
    ::close(fd);
    ::unlink(temporary.c_str());
    throw;
  }
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    ThrowErrno(error, "cannot close " + Quoted(temporary));
  }
  if (beforeReplace_) beforeReplace_(temporary);
  if (::rename(temporary.c_str(), file_.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    ThrowErrno(error, "cannot replace " + Quoted(file_));
  }
  FlushFolder(file_.parent_path());
}

}  // namespace sledway::platform
