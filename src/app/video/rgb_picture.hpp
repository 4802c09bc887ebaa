#pragma once

#include <cstddef>
#include <cstdint>

namespace sledway::app {

// How the bytes of one pixel of a picture are ordered.
enum class PixelOrder { kRgb, kBgr, kRgba, kBgra };

inline int BytesPerPixel(PixelOrder order) {
  return order == PixelOrder::kRgb || order == PixelOrder::kBgr ? 3 : 4;
}

// A picture in memory, read from its top row down; `rowStride` (bytes from one row to the row
// below it) is negative for a picture stored bottom row first.
struct PicturePixels {
  const std::uint8_t* top = nullptr;
  std::ptrdiff_t rowStride = 0;
  int width = 0;
  int height = 0;
  PixelOrder order = PixelOrder::kRgb;
};

}  // namespace sledway::app
