#include "cli/atomic_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <stdexcept>
#include <system_error>

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
  // As mkstemp does, but the name is handed to RemovedOnInterrupt before the file exists, so
  // that no moment passes in which an interrupt would leave it behind.
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device random;
  std::uniform_int_distribution<std::size_t> letter(0, sizeof kLetters - 2);
  int fd = -1;
  for (int attempt = 0; fd < 0; ++attempt) {
    std::string name = (directory / ("." + file_.filename().string() + ".")).string();
    for (int i = 0; i < 6; ++i) name += kLetters[letter(random)];
    removedOnInterrupt_.emplace(name);
    fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
      temporary_ = name;
    } else {
      const int openErrno = errno;
      removedOnInterrupt_.reset();
      if (openErrno != EEXIST || attempt == 100) Fail(std::strerror(openErrno));
    }
  }
  ::close(fd);
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
  // The temporary file is readable by its owner only; give it the usual permissions.
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
