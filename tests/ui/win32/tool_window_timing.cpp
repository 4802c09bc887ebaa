// How long the Win32 tool window takes from the button's click to its first picture on the
// screen, under Wine: what the add-in server does on the click (a new frmPath given the
// application, shown: set-up, the face building the window from its design) and the paint,
// over the tests' host double. Prints one line per run; not part of the test run.
//   cmake/wine-run.sh build/windows/wine-session
//   build/windows/tests/ui/win32/tool_window_timing.exe
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>

#include "host_double.hpp"
#include "ui/frm_path.hpp"
#include "ui/win32/face.hpp"

int main() {
  using Clock = std::chrono::steady_clock;
  sledway::win32::Win32FormFactory face;
  HWND main = CreateWindowExW(0, L"STATIC", L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800,
                              600, nullptr, nullptr, nullptr, nullptr);
  const auto host = std::make_shared<sledway::win32::test::HostDouble>(
      reinterpret_cast<sledway::WindowHandle>(main));
  for (int run = 1; run <= 10; ++run) {
    const Clock::time_point click = Clock::now();
    const auto window = std::make_shared<sledway::frmPath>(face);
    window->IVApp(host);
    window->Show();
    const auto handle = reinterpret_cast<HWND>(window->Window().NativeHandle());
    RedrawWindow(handle, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - click).count();
    std::printf("run %d: click to tool window shown and painted %.1f ms\n", run, ms);
    window->Window().Close();
  }
  DestroyWindow(main);
  return 0;
}
