#include "app/view/image_file.hpp"

#include <unistd.h>

#include <stdexcept>
#include <system_error>

namespace sledway::app {

std::filesystem::path TemporaryPngFor(const std::filesystem::path& file) {
  const std::filesystem::path directory =
      file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
  // The image library picks the format by the extension, so the temporary name keeps ".png".
  return directory / ("." + file.filename().string() + "." + std::to_string(::getpid()) + ".png");
}

void SavePng(Image_AlienPixMap& image, const std::filesystem::path& file) {
  const std::filesystem::path temporary = TemporaryPngFor(file);
  if (!image.Save(TCollection_AsciiString(temporary.c_str()))) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    throw std::runtime_error("cannot write the picture " + file.string());
  }
  std::error_code error;
  std::filesystem::rename(temporary, file, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    throw std::runtime_error("cannot write the picture " + file.string() + ": " + error.message());
  }
}

}  // namespace sledway::app
