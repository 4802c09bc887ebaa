#pragma once

#include <Image_AlienPixMap.hxx>
#include <filesystem>

namespace sledway::app {

// Writes `image` to `file` as PNG through a temporary file beside it, so that the file is
// either the whole picture or what it was before. Throws std::runtime_error naming the file.
void SavePng(Image_AlienPixMap& image, const std::filesystem::path& file);

// The temporary file SavePng writes `file` through, for a caller that must remove it should the
// program end in the middle of the write.
std::filesystem::path TemporaryPngFor(const std::filesystem::path& file);

}  // namespace sledway::app
