#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace sledway::win32 {

// The PNG bytes of the add-in's picture of that number (ui/form/picture_numbers.hpp), from the
// RCDATA resources of the module that holds this code (the add-in's DLL, or a test program);
// empty when there is no such picture.
std::vector<std::uint8_t> PicturePng(int number);

// The picture as a bitmap for a control, its size the picture's own at 96 DPI, scaled with the
// screen's resolution as the control is: pixels the PNG leaves transparent, and those of the
// colour `transparentRgb` (0xRRGGBB) when given, show `background` (a COLORREF). Made once per
// picture and colours and kept for the life of the program; null when there is no such picture.
HBITMAP PictureBitmap(int number, COLORREF background,
                      std::optional<std::uint32_t> transparentRgb = std::nullopt);

}  // namespace sledway::win32
