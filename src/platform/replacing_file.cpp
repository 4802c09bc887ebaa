#include "platform/replacing_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <stdexcept>
#include <system_error>

namespace sledway::platform {

ReplacingFile::ReplacingFile(const std::filesystem::path& target,
                             const std::function<void(const std::string&)>& naming)
    : target_(target), file_(target) {
  std::error_code error;
  if (std::filesystem::is_directory(target, error)) Fail("it is a directory");
  if (std::filesystem::is_symlink(target, error)) {
    file_ = std::filesystem::weakly_canonical(target, error);
    if (error) Fail(error.message());
  }
  const std::filesystem::path directory =
      file_.has_parent_path() ? file_.parent_path() : std::filesystem::path(".");
  // As mkstemp does, but the name is handed to `naming` before the file exists, so that no
  // moment passes in which the caller does not know it.
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device random;
  std::uniform_int_distribution<std::size_t> letter(0, sizeof kLetters - 2);
  for (int attempt = 0;; ++attempt) {
    std::string name = (directory / ("." + file_.filename().string() + ".")).string();
    for (int i = 0; i < 6; ++i) name += kLetters[letter(random)];
    if (naming) naming(name);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
      ::close(fd);
      temporary_ = name;
      return;
    }
    const int openErrno = errno;
    if (openErrno != EEXIST || attempt == 100) Fail(std::strerror(openErrno));
  }
}

ReplacingFile::~ReplacingFile() {
  Abandon();
}

void ReplacingFile::Abandon() {
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

void ReplacingFile::Fail(const std::string& why) {
  Abandon();
  throw std::runtime_error("cannot write '" + target_.string() + "': " + why);
}

void ReplacingFile::Commit() {
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
}

}  // namespace sledway::platform
