// PNGs decoded with GDI+, which every Windows has: the artwork stays the one set of PNG files the
// Qt face uses, with its alpha, and nothing is converted at build time.
#include "ui/win32/pictures.hpp"

#include <objidl.h>
#include <shlwapi.h>
// GDI+ needs <objidl.h> first.
#include <gdiplus.h>

#include <map>
#include <memory>
#include <tuple>

namespace sledway::win32 {
namespace {

HMODULE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

// GDI+ started on first use and left running: the pictures it made live as long as the program.
bool StartGdiPlus() {
  static const bool started = [] {
    ULONG_PTR token = 0;
    const Gdiplus::GdiplusStartupInput input;
    return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
  }();
  return started;
}

struct ReleaseStream {
  void operator()(IStream* stream) const { stream->Release(); }
};

HBITMAP Decode(const std::vector<std::uint8_t>& png, COLORREF background,
               std::optional<std::uint32_t> transparentRgb) {
  if (png.empty() || !StartGdiPlus()) return nullptr;
  const std::unique_ptr<IStream, ReleaseStream> stream(
      SHCreateMemStream(png.data(), static_cast<UINT>(png.size())));
  if (!stream) return nullptr;
  Gdiplus::Bitmap picture(stream.get());
  if (picture.GetLastStatus() != Gdiplus::Ok) return nullptr;
  if (transparentRgb) {
    Gdiplus::Rect whole(0, 0, static_cast<INT>(picture.GetWidth()),
                        static_cast<INT>(picture.GetHeight()));
    Gdiplus::BitmapData pixels{};
    if (picture.LockBits(&whole, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite,
                         PixelFormat32bppARGB, &pixels) == Gdiplus::Ok) {
      for (UINT row = 0; row < pixels.Height; ++row) {
        auto* line = reinterpret_cast<std::uint32_t*>(static_cast<BYTE*>(pixels.Scan0) +
                                                      row * pixels.Stride);
        for (UINT column = 0; column < pixels.Width; ++column) {
          if ((line[column] & 0xFFFFFFu) == *transparentRgb) line[column] = 0;
        }
      }
      picture.UnlockBits(&pixels);
    }
  }
  HBITMAP bitmap = nullptr;
  const Gdiplus::Color fill(255, GetRValue(background), GetGValue(background),
                            GetBValue(background));
  return picture.GetHBITMAP(fill, &bitmap) == Gdiplus::Ok ? bitmap : nullptr;
}

}  // namespace

std::vector<std::uint8_t> PicturePng(int number) {
  const HMODULE module = ThisModule();
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(number), RT_RCDATA);
  if (resource == nullptr) return {};
  HGLOBAL loaded = LoadResource(module, resource);
  const auto* bytes = static_cast<const std::uint8_t*>(LockResource(loaded));
  if (bytes == nullptr) return {};
  return std::vector<std::uint8_t>(bytes, bytes + SizeofResource(module, resource));
}

HBITMAP PictureBitmap(int number, COLORREF background,
                      std::optional<std::uint32_t> transparentRgb) {
  static std::map<std::tuple<int, COLORREF, std::optional<std::uint32_t>>, HBITMAP> made;
  const auto key = std::make_tuple(number, background, transparentRgb);
  const auto found = made.find(key);
  if (found != made.end()) return found->second;
  return made[key] = Decode(PicturePng(number), background, transparentRgb);
}

}  // namespace sledway::win32
