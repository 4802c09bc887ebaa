#include "cli/input_files.hpp"

#include <sys/stat.h>

#include <system_error>

#include "cli/usage_error.hpp"
#include "host/echoed_text.hpp"

namespace sledway::cli {

InputFiles::InputFiles(const std::vector<std::filesystem::path>& files) {
  for (const std::filesystem::path& file : files) {
    std::error_code error;
    const std::filesystem::path real = std::filesystem::canonical(file, error);
    const std::optional<Identity> identity = IdentityOf(file);
    if (!error && identity) inputs_.push_back({file, real, *identity});
  }
}

std::optional<InputFiles::Identity> InputFiles::IdentityOf(const std::filesystem::path& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  return Identity{status.st_dev, status.st_ino};
}

void InputFiles::Refuse(std::string_view option, const std::filesystem::path& target,
                        const Input& input) {
  throw UsageError(std::string(option) + ": '" + EchoedText(target.string()) +
                   "' is the same file as '" + EchoedText(input.path.string()) +
                   "', which is read: nothing was written");
}

void InputFiles::RefuseOverwrite(std::string_view option,
                                 const std::filesystem::path& target) const {
  const std::optional<Identity> identity = IdentityOf(target);
  if (!identity) return;
  for (const Input& input : inputs_) {
    if (input.identity == *identity) Refuse(option, target, input);
  }
}

void InputFiles::RefuseWritesInto(
    std::string_view option, const std::filesystem::path& directory,
    const std::function<bool(const std::string& name)>& written) const {
  RefuseOverwrite(option, directory);
  const std::optional<Identity> identity = IdentityOf(directory);
  if (!identity) return;
  for (const Input& input : inputs_) {
    const std::string name = input.real.filename().string();
    if (written(name) && IdentityOf(input.real.parent_path()) == identity) {
      Refuse(option, directory / name, input);
    }
  }
}

}  // namespace sledway::cli
