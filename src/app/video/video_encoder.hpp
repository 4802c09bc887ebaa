#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/video/rgb_picture.hpp"
#include "app/video/video_format.hpp"
#include "platform/replacing_file.hpp"

namespace sledway::app {

class FrameConverter;
class GifPalette;
class StreamWriter;

// A video made frame by frame, in the format its file's extension names (VideoFormatOf), in
// memory that does not grow with the number of frames. The file is written whole or not at
// all: under a temporary name beside it until Finish() renames it; an encoder destroyed
// without Finish() leaves nothing behind. H.264 and VP9 need even sides: an odd side loses its
// last row or column of pixels.
class VideoEncoder {
 public:
  // Throws std::invalid_argument for an extension that names no format, a size under 16 pixels
  // or a rate the format cannot show (nothing is made then), and std::runtime_error when the
  // file cannot be made.
  VideoEncoder(const std::filesystem::path& file, int width, int height, int fps);
  ~VideoEncoder();
  VideoEncoder(const VideoEncoder&) = delete;
  VideoEncoder& operator=(const VideoEncoder&) = delete;

  // Appends a picture of the encoder's size, shown for 1/fps second. Throws
  // std::runtime_error when it cannot be encoded or written (a full disk).
  void Add(const PicturePixels& picture);
  // Completes the file and puts it in place. Throws std::runtime_error, leaving nothing, when
  // it cannot be completed; also when no frame was added.
  void Finish();

  // Each frame is encoded once, a GIF's twice (see GifPalette); OnProgress counts these
  // encodings, so a whole video counts frames x PassesPerFrame().
  int PassesPerFrame() const { return format_ == VideoFormat::kGif ? 2 : 1; }
  void OnProgress(std::function<void(std::int64_t encoded)> progress) {
    progress_ = std::move(progress);
  }
  std::int64_t Frames() const { return frames_; }
  // Where the video is written until Finish() puts it in place.
  const std::string& TemporaryPath() const { return file_.TemporaryPath(); }
  VideoFormat Format() const { return format_; }

 private:
  void Encoded();
  [[noreturn]] void Fail(const std::runtime_error& error);

  VideoFormat format_;
  int width_;
  int height_;
  int fps_;
  std::filesystem::path target_;
  platform::ReplacingFile file_;
  std::unique_ptr<StreamWriter> writer_;
  std::unique_ptr<GifPalette> palette_;
  std::unique_ptr<FrameConverter> converter_;
  std::int64_t frames_ = 0;
  std::int64_t encoded_ = 0;
  std::function<void(std::int64_t)> progress_;
};

}  // namespace sledway::app
