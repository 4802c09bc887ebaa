#pragma once

#include <functional>
#include <string>

#include "app/video/ffmpeg_handles.hpp"
#include "app/video/filter_graph.hpp"
#include "app/video/frame_spool.hpp"

namespace sledway::app {

class StreamWriter;

// The two passes of a GIF with one palette made from all its frames, in memory that does not
// grow with the frames. First pass, while the run renders: palettegen counts each frame's
// colours into its histogram (it keeps the counts, not the frames) and the frame is set aside
// on disk without loss. Second pass, at the end: the palette comes out of the histogram, and
// each frame read back is mapped onto it by paletteuse and encoded.
class GifPalette {
 public:
  // Frames come as AV_PIX_FMT_RGB32 at `width` x `height`; the spool goes to `directory`.
  GifPalette(const std::string& directory, int width, int height, int fps);

  void Add(AVFrame& frame);
  // The second pass; `frameDone` hears each frame written.
  void WriteTo(StreamWriter& writer, const std::function<void()>& frameDone);

 private:
  int width_;
  int height_;
  int fps_;
  FilterGraph histogram_;
  FrameSpool spool_;
};

}  // namespace sledway::app
