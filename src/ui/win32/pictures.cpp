// The artwork stays the one set of PNG files the Qt face uses, with its alpha, decoded when first
// drawn: nothing is converted at build time.
#include "ui/win32/pictures.hpp"

#include <map>
#include <tuple>

#include "platform/win32/png_bitmap.hpp"
#include "ui/win32/screen.hpp"

namespace sledway::win32 {
namespace {

HMODULE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
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
  // Drawn for 96 DPI: at another resolution the picture keeps its size in twips, as its control.
  const double scale = TwipsToPixelsX(1440) / 96.0;
  return made[key] = platform::BitmapFromPng(PicturePng(number), background, transparentRgb, scale);
}

}  // namespace sledway::win32
