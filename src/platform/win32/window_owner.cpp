#include "platform/win32/window_owner.hpp"

namespace sledway::platform {

HWND SetWindowOwner(HWND window, HWND owner) {
  if (owner != nullptr && !IsWindow(owner)) owner = nullptr;
  // A zero return is either no previous owner or a failure; the last error tells them apart,
  // and in both cases there is no previous owner to give back.
  SetLastError(0);
  return reinterpret_cast<HWND>(
      SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner)));
}

}  // namespace sledway::platform
