#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/video/rgb_picture.hpp"

namespace sledway::app::test {

// A white picture in `order`, stored bottom row first when `bottomUp` (as OpenGL reads pictures
// back).
class Picture {
 public:
  Picture(int width, int height, PixelOrder order, bool bottomUp = false)
      : width_(width),
        height_(height),
        order_(order),
        bottomUp_(bottomUp),
        bytes_(BytesPerPixel(order)),
        data_(static_cast<std::size_t>(width * height * bytes_), 255) {}

  void Clear() { std::fill(data_.begin(), data_.end(), 255); }
  // Sets the pixel `x` from the left and `y` from the top to {r, g, b}.
  void Set(int x, int y, const std::vector<int>& rgb) {
    std::uint8_t* pixel = &data_[static_cast<std::size_t>((Stored(y) * width_ + x) * bytes_)];
    const bool blueFirst = order_ == PixelOrder::kBgr || order_ == PixelOrder::kBgra;
    pixel[0] = static_cast<std::uint8_t>(blueFirst ? rgb[2] : rgb[0]);
    pixel[1] = static_cast<std::uint8_t>(rgb[1]);
    pixel[2] = static_cast<std::uint8_t>(blueFirst ? rgb[0] : rgb[2]);
  }
  PicturePixels Pixels() const {
    const std::ptrdiff_t row = (bottomUp_ ? -1 : 1) * width_ * bytes_;
    return {&data_[static_cast<std::size_t>(Stored(0) * width_ * bytes_)], row, width_, height_,
            order_};
  }
  int Width() const { return width_; }

 private:
  int Stored(int y) const { return bottomUp_ ? height_ - 1 - y : y; }

  int width_, height_;
  PixelOrder order_;
  bool bottomUp_;
  int bytes_;
  std::vector<std::uint8_t> data_;
};

}  // namespace sledway::app::test
