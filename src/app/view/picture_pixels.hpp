#pragma once

#include <Image_PixMap.hxx>

#include "app/video/rgb_picture.hpp"

namespace sledway::app {

// The pixels of a picture the view drew, as the video encoder reads them. Throws
// std::runtime_error for a pixel format the encoder does not take.
PicturePixels PixelsOf(const Image_PixMap& picture);

}  // namespace sledway::app
