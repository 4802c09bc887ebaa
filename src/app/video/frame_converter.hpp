#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/video/ffmpeg_handles.hpp"
#include "app/video/rgb_picture.hpp"

namespace sledway::app {

// Pictures made into the frames an encoder takes, one after the other. A view during a run
// changes little from one picture to the next, and the colour conversion costs as much as the
// encoding: so the converter keeps the last picture and converts again only the bands of rows
// that changed since; the others already stand in the frame. The result is the same as a
// conversion of the whole picture.
class FrameConverter {
 public:
  // Frames of `width` x `height` in `format` (4:2:0 formats need an even height); throws
  // std::runtime_error when out of memory.
  FrameConverter(AVPixelFormat format, int width, int height);

  // The frame showing `picture`, whose top left `width` x `height` pixels are taken; valid and
  // writable until the next call. Throws std::runtime_error when it cannot be converted.
  AVFrame& Convert(const PicturePixels& picture);

 private:
  void Restart(PixelOrder order);
  bool Unchanged(const PicturePixels& picture, int top, int rows) const;
  void Keep(const PicturePixels& picture, int top, int rows);
  void ConvertBand(const PicturePixels& picture, int top, int rows);

  int width_;
  int height_;
  FramePtr frame_;
  // Rows shifted down by this many bits give the row of a chroma plane.
  int chromaShift_;
  // Scalers for a whole band and for the shorter band at the bottom, for `order_`.
  ScaleContextPtr band_;
  ScaleContextPtr lastBand_;
  PixelOrder order_ = PixelOrder::kRgb;
  // The picture the frame shows, rows top down, once `known_`.
  std::vector<std::uint8_t> shown_;
  std::size_t rowBytes_ = 0;
  bool known_ = false;
};

}  // namespace sledway::app
