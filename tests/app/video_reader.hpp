#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace sledway::app::test {

// A video file decoded with FFmpeg's libraries: what a player would make of it.
struct DecodedVideo {
  std::string codec;  // "h264", "gif", "vp9"
  int frames = 0;
  int width = 0;
  int height = 0;
  double fps = 0.0;
  // The first and the last picture as RGB, 3 bytes a pixel, rows top down.
  std::vector<std::uint8_t> first;
  std::vector<std::uint8_t> last;

  // The colour of a pixel of the first or last picture as {r, g, b}.
  std::vector<int> Pixel(const std::vector<std::uint8_t>& picture, int x, int y) const {
    const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                            static_cast<std::size_t>(x)) *
                           3;
    return {picture[at], picture[at + 1], picture[at + 2]};
  }
};

// Throws std::runtime_error when the file cannot be read as a video. `eachPicture` hears every
// picture in turn, as RGB like `first`.
DecodedVideo DecodeVideo(
    const std::filesystem::path& file,
    const std::function<void(const std::vector<std::uint8_t>& rgb)>& eachPicture = {});

}  // namespace sledway::app::test
