#include "app/video/frame_converter.hpp"

extern "C" {
#include <libavutil/pixdesc.h>
}

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

namespace sledway::app {
namespace {

// A macroblock's height: even, so a band holds whole rows of 4:2:0 colour.
constexpr int kBandRows = 16;

// Each pixel's colour computed at full width and each 2 x 2 block's averaged: the closest of
// the scaler's filters to an exact conversion, and the cheapest, since only the full-width
// colour readers have vectorised versions. Rows are never mixed across bands, so a band
// converts alone as it would in the whole picture.
constexpr int kScaleFlags = SWS_AREA | SWS_FULL_CHR_H_INP | SWS_ACCURATE_RND;

AVPixelFormat PixelFormatOf(PixelOrder order) {
  switch (order) {
    case PixelOrder::kRgb:
      return AV_PIX_FMT_RGB24;
    case PixelOrder::kBgr:
      return AV_PIX_FMT_BGR24;
    case PixelOrder::kRgba:
      return AV_PIX_FMT_RGBA;
    case PixelOrder::kBgra:
      return AV_PIX_FMT_BGRA;
  }
  return AV_PIX_FMT_NONE;
}

}  // namespace

FrameConverter::FrameConverter(AVPixelFormat format, int width, int height)
    : width_(width),
      height_(height),
      frame_(AllocateFrame(format, width, height)),
      chromaShift_(av_pix_fmt_desc_get(format)->log2_chroma_h) {}

void FrameConverter::Restart(PixelOrder order) {
  const auto scaler = [&](int rows) {
    if (rows == 0) return ScaleContextPtr();
    ScaleContextPtr made(sws_getContext(width_, rows, PixelFormatOf(order), width_, rows,
                                        static_cast<AVPixelFormat>(frame_->format), kScaleFlags,
                                        nullptr, nullptr, nullptr));
    if (!made) throw std::runtime_error("cannot convert the pictures for the video");
    return made;
  };
  known_ = false;
  band_ = scaler(std::min(kBandRows, height_));
  lastBand_ = scaler(height_ > kBandRows ? height_ % kBandRows : 0);
  order_ = order;
  rowBytes_ = static_cast<std::size_t>(width_) * static_cast<std::size_t>(BytesPerPixel(order));
  shown_.resize(rowBytes_ * static_cast<std::size_t>(height_));
}

bool FrameConverter::Unchanged(const PicturePixels& picture, int top, int rows) const {
  for (int row = top; row < top + rows; ++row) {
    if (std::memcmp(picture.top + row * picture.rowStride,
                    &shown_[static_cast<std::size_t>(row) * rowBytes_], rowBytes_) != 0) {
      return false;
    }
  }
  return true;
}

void FrameConverter::Keep(const PicturePixels& picture, int top, int rows) {
  for (int row = top; row < top + rows; ++row) {
    std::memcpy(&shown_[static_cast<std::size_t>(row) * rowBytes_],
                picture.top + row * picture.rowStride, rowBytes_);
  }
}

void FrameConverter::ConvertBand(const PicturePixels& picture, int top, int rows) {
  const std::uint8_t* const source[4] = {picture.top + top * picture.rowStride, nullptr, nullptr,
                                         nullptr};
  const int sourceStride[4] = {static_cast<int>(picture.rowStride), 0, 0, 0};
  std::uint8_t* target[4] = {};
  for (int plane = 0; plane < 4 && frame_->data[plane]; ++plane) {
    const int row = plane == 1 || plane == 2 ? top >> chromaShift_ : top;
    target[plane] =
        frame_->data[plane] + static_cast<std::ptrdiff_t>(row) * frame_->linesize[plane];
  }
  SwsContext* scaler = rows == kBandRows || !lastBand_ ? band_.get() : lastBand_.get();
  Check(sws_scale(scaler, source, sourceStride, 0, rows, target, frame_->linesize),
        "cannot convert the pictures for the video");
}

AVFrame& FrameConverter::Convert(const PicturePixels& picture) {
  if (picture.width < width_ || picture.height < height_) {
    throw std::invalid_argument("a picture of " + std::to_string(picture.width) + "x" +
                                std::to_string(picture.height) + " for a video of " +
                                std::to_string(width_) + "x" + std::to_string(height_));
  }
  if (!band_ || order_ != picture.order) Restart(picture.order);
  // An encoder may still hold the last frame: then the frame is copied, what it shows with it.
  MakeWritable(*frame_);
  try {
    for (int top = 0; top < height_; top += kBandRows) {
      const int rows = std::min(kBandRows, height_ - top);
      if (known_ && Unchanged(picture, top, rows)) continue;
      ConvertBand(picture, top, rows);
      Keep(picture, top, rows);
    }
  } catch (...) {
    // A band may be half converted: the next picture is converted whole.
    known_ = false;
    throw;
  }
  known_ = true;
  return *frame_;
}

}  // namespace sledway::app
