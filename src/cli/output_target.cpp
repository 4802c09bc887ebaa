#include "cli/output_target.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <system_error>

#include "cli/usage_error.hpp"
#include "host/echoed_text.hpp"

namespace sledway::cli {
namespace {

std::string KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISSOCK(mode)) return "a socket";
  return "a device";
}

}  // namespace

void CheckOutputTarget(std::string_view option, const std::filesystem::path& target) {
  const std::string name = "'" + EchoedText(target.string()) + "'";
  const std::filesystem::path directory =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  std::error_code error;
  if (!std::filesystem::is_directory(directory, error)) {
    throw UsageError(std::string(option) + ": there is no directory '" +
                     EchoedText(directory.string()) + "'");
  }
  struct stat status {};
  if (::stat(target.c_str(), &status) != 0 || S_ISREG(status.st_mode)) return;
  struct stat standardOutput {};
  if (!S_ISDIR(status.st_mode) && ::fstat(STDOUT_FILENO, &standardOutput) == 0 &&
      standardOutput.st_dev == status.st_dev && standardOutput.st_ino == status.st_ino) {
    return;
  }
  throw UsageError(std::string(option) + ": " + name + " is " + KindOf(status.st_mode) +
                   ", not a regular file");
}

}  // namespace sledway::cli
