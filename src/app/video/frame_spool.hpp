#pragma once

#include <cstdio>
#include <functional>

#include "app/video/ffmpeg_handles.hpp"

namespace sledway::app {

// Frames set aside on disk for a second pass, so that a pass over a whole run never holds the
// run in memory: each frame is compressed without loss (FFV1) into a file that has no name, in
// the given directory, and goes with the object whatever happens.
class FrameSpool {
 public:
  // Throws std::runtime_error when the file or the codec cannot be made.
  FrameSpool(const char* directory, AVPixelFormat format, int width, int height);
  ~FrameSpool();
  FrameSpool(const FrameSpool&) = delete;
  FrameSpool& operator=(const FrameSpool&) = delete;

  // Throws std::runtime_error when the frame cannot be written (a full disk).
  void Append(const AVFrame& frame);
  // The frames in the order they came, one at a time; nothing can be appended after this.
  void Replay(const std::function<void(AVFrame&)>& each);

 private:
  void Drain();
  void Store(const AVPacket& packet);
  bool Load(AVPacket& packet);

  std::FILE* file_ = nullptr;
  CodecContextPtr encoder_;
  PacketPtr packet_;
};

}  // namespace sledway::app
