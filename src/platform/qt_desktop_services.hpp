#pragma once

#include "platform/desktop.hpp"

namespace sledway::platform {

// The desktop services of a Qt program: a message box with an OK button only and no icon, a
// yield that processes pending Qt events, and a sleep that blocks the thread. An add-in library
// carries its own copy of the platform services and installs these for itself, since what its
// host installs is not seen from inside the library.
DesktopServices QtDesktopServices();

}  // namespace sledway::platform
