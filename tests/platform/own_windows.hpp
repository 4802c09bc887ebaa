#pragma once

// Windows of this test program alone. CTest runs several test programs at once on one Wine
// desktop, so a search over every top-level window could find, and close, another program's.

#include <windows.h>

#include <string>

namespace sledway::test {

// The first visible top-level window of this process with `caption` (and of `windowClass`
// when given, such as "#32770" for a message box); null when there is none.
inline HWND OwnWindow(const wchar_t* caption, const wchar_t* windowClass = nullptr) {
  struct Search {
    const wchar_t* caption;
    const wchar_t* windowClass;
    HWND found = nullptr;
  } search{caption, windowClass};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto& wanted = *reinterpret_cast<Search*>(data);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
        wchar_t text[512] = {};
        GetWindowTextW(window, text, 512);
        if (std::wstring(text) != wanted.caption) return TRUE;
        if (wanted.windowClass != nullptr) {
          wchar_t name[64] = {};
          GetClassNameW(window, name, 64);
          if (std::wstring(name) != wanted.windowClass) return TRUE;
        }
        wanted.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// This process's message box titled `caption`, or null.
inline HWND OwnMessageBox(const wchar_t* caption) {
  return OwnWindow(caption, L"#32770");
}

}  // namespace sledway::test
