#pragma once

#include <string>
#include <vector>

#include "app/video/ffmpeg_handles.hpp"

namespace sledway::app {

// The picture format of one input of a filter graph.
struct FilterInput {
  AVPixelFormat format;
  int width;
  int height;
  int fps;
};

// A libavfilter graph with inputs [in0], [in1], ... and one output [out], written in FFmpeg's
// filter syntax, for example "[in0][in1]paletteuse[out]".
class FilterGraph {
 public:
  // Throws std::runtime_error when the graph cannot be built.
  FilterGraph(const std::string& description, const std::vector<FilterInput>& inputs);

  // Gives `frame` to input `input`; the graph takes its own reference. A null frame ends it.
  void Push(int input, AVFrame* frame);
  // The next frame out of the graph into `frame`; false while none is ready or once it ended.
  bool Pull(AVFrame& frame);

 private:
  FilterGraphPtr graph_;
  std::vector<AVFilterContext*> sources_;
  AVFilterContext* sink_ = nullptr;
};

}  // namespace sledway::app
