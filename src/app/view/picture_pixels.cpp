#include "app/view/picture_pixels.hpp"

#include <stdexcept>
#include <string>

namespace sledway::app {

PicturePixels PixelsOf(const Image_PixMap& picture) {
  PixelOrder order = PixelOrder::kRgb;
  switch (picture.Format()) {
    case Image_Format_RGB:
      order = PixelOrder::kRgb;
      break;
    case Image_Format_BGR:
      order = PixelOrder::kBgr;
      break;
    case Image_Format_RGBA:
      order = PixelOrder::kRgba;
      break;
    case Image_Format_BGRA:
      order = PixelOrder::kBgra;
      break;
    default:
      throw std::runtime_error(std::string("a picture in ") +
                               Image_PixMap::ImageFormatToString(picture.Format()) +
                               " cannot go into a video");
  }
  // Row() counts from the top whichever way the rows are stored; OpenGL stores them bottom up.
  const auto rowBytes = static_cast<std::ptrdiff_t>(picture.SizeRowBytes());
  return PicturePixels{picture.Row(0), picture.IsTopDown() ? rowBytes : -rowBytes,
                       static_cast<int>(picture.SizeX()), static_cast<int>(picture.SizeY()), order};
}

}  // namespace sledway::app
