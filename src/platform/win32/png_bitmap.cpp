#include "platform/win32/png_bitmap.hpp"

#include <objidl.h>
#include <shlwapi.h>
// GDI+ needs <objidl.h> first.
#include <gdiplus.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

namespace sledway::platform {
namespace {

// GDI+ runs from the first picture decoded until StopGdiPlus; the bitmaps it made are GDI's and
// outlive it.
ULONG_PTR& GdiPlusToken() {
  static ULONG_PTR token = 0;
  return token;
}

bool StartGdiPlus() {
  ULONG_PTR& token = GdiPlusToken();
  if (token != 0) return true;
  const Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) return true;
  token = 0;
  return false;
}

struct ReleaseStream {
  void operator()(IStream* stream) const { stream->Release(); }
};

void MakeTransparent(Gdiplus::Bitmap& picture, std::uint32_t rgb) {
  Gdiplus::Rect whole(0, 0, static_cast<INT>(picture.GetWidth()),
                      static_cast<INT>(picture.GetHeight()));
  Gdiplus::BitmapData pixels{};
  if (picture.LockBits(&whole, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite,
                       PixelFormat32bppARGB, &pixels) != Gdiplus::Ok) {
    return;
  }
  for (UINT row = 0; row < pixels.Height; ++row) {
    auto* line =
        reinterpret_cast<std::uint32_t*>(static_cast<BYTE*>(pixels.Scan0) + row * pixels.Stride);
    for (UINT column = 0; column < pixels.Width; ++column) {
      if ((line[column] & 0xFFFFFFu) == rgb) line[column] = 0;
    }
  }
  picture.UnlockBits(&pixels);
}

}  // namespace

HBITMAP BitmapFromPng(const std::vector<std::uint8_t>& png, COLORREF background,
                      std::optional<std::uint32_t> transparentRgb, double scale) {
  if (png.empty() || !StartGdiPlus()) return nullptr;
  const std::unique_ptr<IStream, ReleaseStream> stream(
      SHCreateMemStream(png.data(), static_cast<UINT>(png.size())));
  if (!stream) return nullptr;
  Gdiplus::Bitmap picture(stream.get());
  if (picture.GetLastStatus() != Gdiplus::Ok) return nullptr;
  if (transparentRgb) MakeTransparent(picture, *transparentRgb);
  HBITMAP bitmap = nullptr;
  const Gdiplus::Color fill(255, GetRValue(background), GetGValue(background),
                            GetBValue(background));
  if (scale == 1.0 || !(scale > 0.0)) {
    return picture.GetHBITMAP(fill, &bitmap) == Gdiplus::Ok ? bitmap : nullptr;
  }
  const auto scaled = [scale](UINT size) {
    return std::max<INT>(1, static_cast<INT>(std::lround(size * scale)));
  };
  Gdiplus::Bitmap resized(scaled(picture.GetWidth()), scaled(picture.GetHeight()),
                          PixelFormat32bppARGB);
  {
    Gdiplus::Graphics drawing(&resized);
    drawing.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    drawing.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    drawing.DrawImage(&picture, 0, 0, static_cast<INT>(resized.GetWidth()),
                      static_cast<INT>(resized.GetHeight()));
  }
  return resized.GetHBITMAP(fill, &bitmap) == Gdiplus::Ok ? bitmap : nullptr;
}

void StopGdiPlus() {
  if (const ULONG_PTR token = std::exchange(GdiPlusToken(), 0)) Gdiplus::GdiplusShutdown(token);
}

}  // namespace sledway::platform
