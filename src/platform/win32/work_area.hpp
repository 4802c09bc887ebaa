#pragma once

#include <windows.h>

namespace sledway::platform {

// The work area (the desktop without task bars) of the monitor that holds most of `window`, or
// of the primary monitor for a null window, in pixels of the virtual desktop.
RECT WorkAreaOf(HWND window);

// Whether `frame` (a window's outer rectangle) shows at least in part on the work area of some
// monitor.
bool OnAnyWorkArea(const RECT& frame);

}  // namespace sledway::platform
