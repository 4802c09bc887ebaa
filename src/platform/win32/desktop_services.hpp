#pragma once

#include "platform/desktop.hpp"

namespace sledway::platform {

// The desktop services inside a Windows host: a MessageBoxW with an OK button only and no icon,
// owned by the thread's active window so that it is modal to the add-in's window; a yield that
// dispatches the thread's pending messages once; and kernel32's Sleep. The add-in library
// installs these for itself (ScopedDesktopServices).
DesktopServices Win32DesktopServices();

}  // namespace sledway::platform
