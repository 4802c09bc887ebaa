#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

#include "own_windows.hpp"
#include "ui/form/control.hpp"
#include "ui/win32/control.hpp"

namespace sledway::win32::test {

// Handles what the thread's queue holds now, as the host's message loop would.
inline void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

inline HWND Native(form::Control& control) {
  return dynamic_cast<Win32Control&>(control).Handle();
}

inline std::wstring NativeText(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

// Reads and closes the next message box titled "Sledway" from another thread while `act` runs.
inline std::wstring MessageWhile(const std::function<void()>& act) {
  std::wstring text;
  std::thread closer([&] {
    for (int tries = 0; tries < 1000; ++tries) {
      if (HWND box = sledway::test::OwnMessageBox(L"Sledway")) {
        text = NativeText(GetDlgItem(box, 0xFFFF));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return;
      }
      Sleep(10);
    }
  });
  act();
  closer.join();
  return text;
}

// A plain top-level window standing in for the host's main window.
class HostWindow {
 public:
  HostWindow() {
    handle = CreateWindowExW(0, L"STATIC", L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800,
                             600, nullptr, nullptr, nullptr, nullptr);
  }
  ~HostWindow() {
    if (IsWindow(handle)) DestroyWindow(handle);
  }
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND handle = nullptr;
};

}  // namespace sledway::win32::test
