#pragma once

#include <windows.h>

namespace sledway::platform {

// Makes `owner` the owner window of `window` (GWLP_HWNDPARENT): `window` stays above its owner
// and goes with it when the owner is minimised or closed. A null owner, or a handle that names no
// window, leaves `window` without an owner. Returns the previous owner (null when none). Call it
// while `window` is hidden.
HWND SetWindowOwner(HWND window, HWND owner);

}  // namespace sledway::platform
