#include "cli/atomic_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace sledway::cli {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& target, const std::string& why) {
  throw std::runtime_error("cannot write '" + target.string() + "': " + why);
}

void WriteStraight(const std::filesystem::path& target, std::string_view content) {
  std::ofstream stream(target, std::ios::binary);
  stream.write(content.data(), static_cast<std::streamsize>(content.size()));
  stream.flush();
  if (!stream) Fail(target, "the write failed");
}

// Writes all of `content` to `fd`; false on failure, with errno set.
bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

void WriteFileAtomically(const std::filesystem::path& target, std::string_view content) {
  std::error_code error;
  // A link is followed, so the file it names is replaced rather than the link itself.
  const std::filesystem::path file = std::filesystem::is_symlink(target, error)
                                         ? std::filesystem::weakly_canonical(target)
                                         : target;
  const auto status = std::filesystem::status(file, error);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    if (std::filesystem::is_directory(status)) Fail(target, "it is a directory");
    WriteStraight(file, content);
    return;
  }

  const std::filesystem::path directory =
      file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
  std::string pattern = (directory / ("." + file.filename().string() + ".XXXXXX")).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) Fail(target, std::strerror(errno));
  const std::string temporary(name.data());

  const bool written = WriteAll(fd, content) && ::fsync(fd) == 0;
  const int writeErrno = errno;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed) {
    ::unlink(temporary.c_str());
    Fail(target, std::strerror(written ? errno : writeErrno));
  }
  // mkstemp makes the file readable by its owner only; give it the usual permissions.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::chmod(temporary.c_str(), 0666 & ~mask);
  if (::rename(temporary.c_str(), file.c_str()) != 0) {
    const int renameErrno = errno;
    ::unlink(temporary.c_str());
    Fail(target, std::strerror(renameErrno));
  }
}

}  // namespace sledway::cli
