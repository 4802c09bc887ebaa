#include "ui/win32/screen.hpp"

#include <cmath>
#include <map>
#include <tuple>

namespace sledway::win32 {
namespace {

constexpr double kTwipsPerInch = 1440.0;

int LogicalPixelsPerInch(int axis) {
  static const int x = [] {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
  }();
  static const int y = [] {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
  }();
  return axis == LOGPIXELSX ? x : y;
}

}  // namespace

int TwipsToPixelsX(double twips) {
  return static_cast<int>(std::lround(twips * LogicalPixelsPerInch(LOGPIXELSX) / kTwipsPerInch));
}
int TwipsToPixelsY(double twips) {
  return static_cast<int>(std::lround(twips * LogicalPixelsPerInch(LOGPIXELSY) / kTwipsPerInch));
}
double PixelsToTwipsX(int pixels) {
  return pixels * kTwipsPerInch / LogicalPixelsPerInch(LOGPIXELSX);
}
double PixelsToTwipsY(int pixels) {
  return pixels * kTwipsPerInch / LogicalPixelsPerInch(LOGPIXELSY);
}

bool HasFontFace(const std::wstring& face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(
      screen, &wanted,
      [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
        *reinterpret_cast<bool*>(found) = true;
        return 0;
      },
      reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

HFONT Font(const std::wstring& face, double points, bool bold, bool underline) {
  static std::map<std::tuple<std::wstring, double, bool, bool>, HFONT> made;
  HFONT& font = made[{face, points, bold, underline}];
  if (font == nullptr) {
    LOGFONTW description{};
    description.lfHeight =
        -static_cast<LONG>(std::lround(points * LogicalPixelsPerInch(LOGPIXELSY) / 72.0));
    description.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    description.lfUnderline = underline ? TRUE : FALSE;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    const std::wstring chosen = HasFontFace(face)        ? face
                                : HasFontFace(L"Tahoma") ? L"Tahoma"
                                                         : L"MS Shell Dlg 2";
    chosen.copy(description.lfFaceName, LF_FACESIZE - 1);
    font = CreateFontIndirectW(&description);
  }
  return font;
}

}  // namespace sledway::win32
