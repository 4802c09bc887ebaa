#include "platform/win32/desktop_services.hpp"

#include <windows.h>

#include "platform/win32/wide_text.hpp"

namespace sledway::platform {

DesktopServices Win32DesktopServices() {
  return DesktopServices{
      .sleep = [](std::uint32_t milliseconds) { ::Sleep(milliseconds); },
      .showMessage =
          [](const std::string& text, const std::string& title) {
            MessageBoxW(GetActiveWindow(), Wide(text).c_str(), Wide(title).c_str(), MB_OK);
          },
      .yieldToMessageLoop =
          [] {
            // What is pending now, not what dispatching it posts: a message that posts itself
            // again would keep the yield from returning.
            const DWORD now = GetTickCount();
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
              if (message.message == WM_QUIT) {
                // The host's own loop must still see it.
                PostQuitMessage(static_cast<int>(message.wParam));
                break;
              }
              TranslateMessage(&message);
              DispatchMessageW(&message);
              if (static_cast<LONG>(message.time - now) > 0) break;
            }
          },
  };
}

}  // namespace sledway::platform
