#include "app/video/video_format.hpp"

#include <algorithm>
#include <cctype>

namespace sledway::app {

std::optional<VideoFormat> VideoFormatOf(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".mp4") return VideoFormat::kMp4;
  if (extension == ".gif") return VideoFormat::kGif;
  if (extension == ".webm") return VideoFormat::kWebm;
  return std::nullopt;
}

std::string KnownVideoExtensions() {
  return ".mp4, .gif or .webm";
}

int MaxFramesPerSecond(VideoFormat format) {
  return format == VideoFormat::kGif ? 50 : 240;
}

}  // namespace sledway::app
