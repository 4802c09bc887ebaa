#include "app/video/gif_palette.hpp"

#include <stdexcept>

#include "app/video/stream_writer.hpp"

namespace sledway::app {
namespace {

// Ordered dithering puts the same pattern on what did not move, so still parts of the view stay
// the same from frame to frame and the GIF encoder leaves them out; only the rectangle that
// changed is mapped again.
constexpr const char* kMapping =
    "[in0][in1]paletteuse=dither=bayer:bayer_scale=4:diff_mode=rectangle[out]";

}  // namespace

GifPalette::GifPalette(const std::string& directory, int width, int height, int fps)
    : width_(width),
      height_(height),
      fps_(fps),
      histogram_("[in0]palettegen=stats_mode=full[out]",
                 {FilterInput{AV_PIX_FMT_RGB32, width, height, fps}}),
      spool_(directory.c_str(), AV_PIX_FMT_RGB32, width, height) {}

void GifPalette::Add(AVFrame& frame) {
  histogram_.Push(0, &frame);
  // Pulling runs the graph, so the frame is counted now rather than queued.
  FramePtr none(av_frame_alloc());
  if (!none) throw std::runtime_error("out of memory for a video frame");
  histogram_.Pull(*none);
  spool_.Append(frame);
}

void GifPalette::WriteTo(StreamWriter& writer, const std::function<void()>& frameDone) {
  histogram_.Push(0, nullptr);
  FramePtr palette(av_frame_alloc());
  if (!palette) throw std::runtime_error("out of memory for a video frame");
  if (!histogram_.Pull(*palette)) throw std::runtime_error("no palette came of the frames");

  FilterGraph mapping(kMapping,
                      {FilterInput{AV_PIX_FMT_RGB32, width_, height_, fps_},
                       FilterInput{AV_PIX_FMT_RGB32, palette->width, palette->height, fps_}});
  palette->pts = 0;
  mapping.Push(1, palette.get());
  mapping.Push(1, nullptr);
  FramePtr mapped(av_frame_alloc());
  if (!mapped) throw std::runtime_error("out of memory for a video frame");
  const auto writeMapped = [&] {
    while (mapping.Pull(*mapped)) {
      writer.Write(*mapped);
      av_frame_unref(mapped.get());
      frameDone();
    }
  };
  std::int64_t index = 0;
  spool_.Replay([&](AVFrame& frame) {
    frame.pts = index++;
    mapping.Push(0, &frame);
    writeMapped();
  });
  mapping.Push(0, nullptr);
  writeMapped();
}

}  // namespace sledway::app
