#include "cli/atomic_file.hpp"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

namespace sledway::cli {

AtomicFile::AtomicFile(const std::filesystem::path& target) : target_(target) {
  std::error_code error;
  const auto status = std::filesystem::status(target, error);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
      !std::filesystem::is_directory(status)) {
    // Opened by the name given: /dev/stdout leads through a link to a pipe that has no name.
    stream_.open(target, std::ios::binary);
  } else {
    file_.emplace(target, [this](const std::string& name) { removedOnInterrupt_.emplace(name); });
    stream_.open(file_->TemporaryPath(), std::ios::binary | std::ios::trunc);
  }
  if (!stream_) Fail(std::strerror(errno));
}

void AtomicFile::Fail(const std::string& why) {
  if (file_) file_->Abandon();
  removedOnInterrupt_.reset();
  throw std::runtime_error("cannot write '" + target_.string() + "': " + why);
}

void AtomicFile::Commit() {
  errno = 0;
  stream_.flush();
  const int writeErrno = errno;
  stream_.close();
  if (stream_.fail()) Fail(writeErrno != 0 ? std::strerror(writeErrno) : "the write failed");
  if (!file_) return;
  file_->Commit();
  removedOnInterrupt_.reset();
}

}  // namespace sledway::cli
