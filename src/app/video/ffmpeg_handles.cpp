#include "app/video/ffmpeg_handles.hpp"

#include <stdexcept>

namespace sledway::app {

std::string AvErrorText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

int Check(int code, const std::string& what) {
  if (code < 0) throw std::runtime_error(what + ": " + AvErrorText(code));
  return code;
}

FramePtr AllocateFrame(AVPixelFormat format, int width, int height) {
  FramePtr frame(av_frame_alloc());
  if (!frame) throw std::runtime_error("out of memory for a video frame");
  frame->format = format;
  frame->width = width;
  frame->height = height;
  Check(av_frame_get_buffer(frame.get(), 0), "cannot make a video frame");
  return frame;
}

void MakeWritable(AVFrame& frame) {
  Check(av_frame_make_writable(&frame), "cannot make a video frame");
}

}  // namespace sledway::app
