#include "cli/atomic_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace sledway::cli {

AtomicFile::AtomicFile(const std::filesystem::path& target) : target_(target) {
  std::error_code error;
  file_ = target;
  const auto status = std::filesystem::status(target, error);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    if (std::filesystem::is_directory(status)) Fail("it is a directory");
    // Opened by the name given: /dev/stdout leads through a link to a pipe that has no name.
    stream_.open(target, std::ios::binary);
    if (!stream_) Fail(std::strerror(errno));
    return;
  }
  // A link is followed, so the file it names is replaced rather than the link itself.
  if (std::filesystem::is_symlink(target, error)) {
    file_ = std::filesystem::weakly_canonical(target, error);
    if (error) Fail(error.message());
  }

  const std::filesystem::path directory =
      file_.has_parent_path() ? file_.parent_path() : std::filesystem::path(".");
  const std::string pattern = (directory / ("." + file_.filename().string() + ".XXXXXX")).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) Fail(std::strerror(errno));
  ::close(fd);
  temporary_ = name.data();
  removedOnInterrupt_.emplace(temporary_);
  stream_.open(temporary_, std::ios::binary | std::ios::trunc);
  if (!stream_) Fail(std::strerror(errno));
}

AtomicFile::~AtomicFile() {
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

void AtomicFile::Fail(const std::string& why) {
  if (!temporary_.empty()) {
    ::unlink(temporary_.c_str());
    temporary_.clear();
    removedOnInterrupt_.reset();
  }
  throw std::runtime_error("cannot write '" + target_.string() + "': " + why);
}

void AtomicFile::Commit() {
  errno = 0;
  stream_.flush();
  const int writeErrno = errno;
  stream_.close();
  if (stream_.fail()) Fail(writeErrno != 0 ? std::strerror(writeErrno) : "the write failed");
  if (temporary_.empty()) return;

  const int fd = ::open(temporary_.c_str(), O_RDONLY);
  if (fd < 0 || ::fsync(fd) != 0) {
    const int syncErrno = errno;
    if (fd >= 0) ::close(fd);
    Fail(std::strerror(syncErrno));
  }
  ::close(fd);
  // mkstemp makes the file readable by its owner only; give it the usual permissions.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::chmod(temporary_.c_str(), 0666 & ~mask);
  if (::rename(temporary_.c_str(), file_.c_str()) != 0) Fail(std::strerror(errno));
  temporary_.clear();
  removedOnInterrupt_.reset();
}

void WriteFileAtomically(const std::filesystem::path& target, std::string_view content) {
  AtomicFile file(target);
  file.Stream().write(content.data(), static_cast<std::streamsize>(content.size()));
  file.Commit();
}

}  // namespace sledway::cli
