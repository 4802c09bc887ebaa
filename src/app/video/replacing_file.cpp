#include "app/video/replacing_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace sledway::app {

ReplacingFile::ReplacingFile(const std::filesystem::path& target) : target_(target) {
  std::error_code error;
  if (std::filesystem::is_directory(target, error)) Fail("it is a directory");
  const std::filesystem::path directory =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  const std::string pattern = (directory / ("." + target.filename().string() + ".XXXXXX")).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) Fail(std::strerror(errno));
  ::close(fd);
  temporary_ = name.data();
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
  // mkstemp makes the file readable by its owner only; give it the usual permissions.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::chmod(temporary_.c_str(), 0666 & ~mask);
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) Fail(std::strerror(errno));
  temporary_.clear();
}

}  // namespace sledway::app
