#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace sledway::app {

// The kinds of video Sledway writes, chosen by the file's extension.
enum class VideoFormat {
  kMp4,   // H.264 in MP4
  kGif,   // animated GIF with one palette made from all the frames
  kWebm,  // VP9 in WebM
};

// The format a file name asks for (.mp4, .gif or .webm, in any case); none for another.
std::optional<VideoFormat> VideoFormatOf(const std::filesystem::path& file);
// The extensions known, for messages: ".mp4, .gif or .webm".
std::string KnownVideoExtensions();

// Frames per second a format can show as asked. GIF counts a frame's time in hundredths of a
// second, and viewers slow down frames shorter than two of them.
int MaxFramesPerSecond(VideoFormat format);

}  // namespace sledway::app
