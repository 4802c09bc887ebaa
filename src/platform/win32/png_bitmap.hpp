#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace sledway::platform {

// The PNG `png` as a bitmap of its own size, decoded with GDI+ (which every Windows has): pixels
// the PNG leaves transparent, and those of the colour `transparentRgb` (0xRRGGBB) when given,
// show `background` (a COLORREF). `scale` resizes it (1.5 for a screen of 144 DPI, where the
// picture was drawn for 96). The caller owns the bitmap; null when the bytes are no picture.
HBITMAP BitmapFromPng(const std::vector<std::uint8_t>& png, COLORREF background,
                      std::optional<std::uint32_t> transparentRgb = std::nullopt,
                      double scale = 1.0);

// Shuts GDI+ down when BitmapFromPng started it: a library that may be unloaded must not leave
// it running. The next BitmapFromPng starts it again.
void StopGdiPlus();

}  // namespace sledway::platform
