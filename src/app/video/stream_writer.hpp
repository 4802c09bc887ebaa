#pragma once

#include <cstdint>
#include <string>

#include "app/video/ffmpeg_handles.hpp"
#include "app/video/video_format.hpp"

namespace sledway::app {

// One video stream encoded and written into its container: H.264 in MP4, VP9 in WebM, or GIF.
// Frames come in the encoder's pixel format (PixelFormatOf) at the stream's size.
class StreamWriter {
 public:
  // Opens `file` for writing; throws std::runtime_error saying what failed.
  StreamWriter(const std::string& file, VideoFormat format, int width, int height, int fps);
  ~StreamWriter();
  StreamWriter(const StreamWriter&) = delete;
  StreamWriter& operator=(const StreamWriter&) = delete;

  static AVPixelFormat PixelFormatOf(VideoFormat format);

  // The next frame, shown 1/fps after the one before.
  void Write(AVFrame& frame);
  // Drains the encoder and completes the container; the file is whole once this returns.
  void Finish();

 private:
  void Encode(AVFrame* frame);
  [[noreturn]] void Fail(int code, const std::string& what);

  AVFormatContext* container_ = nullptr;
  AVStream* stream_ = nullptr;
  CodecContextPtr encoder_;
  PacketPtr packet_;
  std::int64_t frames_ = 0;
  bool finished_ = false;
};

}  // namespace sledway::app
