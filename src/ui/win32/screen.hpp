#pragma once

#include <windows.h>

#include <string>

namespace sledway::win32 {

// Twips (1/1440 logical inch) to pixels and back with the screen's logical resolution, so a
// window designed in twips keeps its proportions at any DPI setting.
int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);
double PixelsToTwipsX(int pixels);
double PixelsToTwipsY(int pixels);

// A font of that face, size and style at the screen's resolution, made once and kept for the
// life of the program. A face the system does not have is replaced by Tahoma, the dialog font,
// or else by the system's dialog face (Verdana is a core font of Windows, but not of Wine).
HFONT Font(const std::wstring& face, double points, bool bold = false, bool underline = false);

// Whether the system has a font of that face.
bool HasFontFace(const std::wstring& face);

}  // namespace sledway::win32
