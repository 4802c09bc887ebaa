#include "modelhost/files/regular_file.hpp"

#include <string>
#include <system_error>

#include "modelhost/files/placed_error.hpp"

namespace sledway::model {

void RequireRegularFile(const std::filesystem::path& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (status.type() == fs::file_type::not_found) throw PlacedError("", "no such file");
  if (error) throw PlacedError("", "the path cannot be resolved (" + error.message() + ")");
  switch (status.type()) {
    case fs::file_type::regular:
      return;
    case fs::file_type::directory:
      throw PlacedError("", "a directory, not a file");
    case fs::file_type::fifo:
      throw PlacedError("", "a FIFO, not a regular file");
    case fs::file_type::character:
    case fs::file_type::block:
      throw PlacedError("", "a device, not a regular file");
    default:
      throw PlacedError("", "not a regular file");
  }
}

}  // namespace sledway::model
