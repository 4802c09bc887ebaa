#pragma once

#include <QRect>

namespace sledway::platform {

// The primary screen without the task bars and docks of the desktop, in device-independent
// pixels of the virtual desktop.
QRect WorkArea();

// Whether `frame` (a window's outer rectangle) shows at least in part on the available area of
// some screen.
bool OnAnyWorkArea(const QRect& frame);

}  // namespace sledway::platform
