// How long the Win32 tool window takes from the request to its first picture on the screen,
// under Wine: the face builds the window from its design, shows it and paints it. Prints one
// line per run; not part of the test run.
//   cmake/wine-run.sh build/windows/wine-session
//   build/windows/tests/ui/win32/tool_window_timing.exe
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>

#include "ui/form/form.hpp"
#include "ui/win32/face.hpp"

int main() {
  using Clock = std::chrono::steady_clock;
  sledway::win32::Win32FormFactory face;
  for (int run = 1; run <= 5; ++run) {
    const Clock::time_point start = Clock::now();
    std::unique_ptr<sledway::form::Form> window = face.CreateForm(sledway::form::FormKind::kPath);
    const Clock::time_point built = Clock::now();
    window->Move(1000, 1000);
    window->Show();
    const auto handle = reinterpret_cast<HWND>(window->NativeHandle());
    RedrawWindow(handle, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    const Clock::time_point shown = Clock::now();
    const auto ms = [](Clock::duration d) {
      return std::chrono::duration<double, std::milli>(d).count();
    };
    std::printf("run %d: built %.1f ms, shown and painted %.1f ms, in all %.1f ms\n", run,
                ms(built - start), ms(shown - built), ms(shown - start));
  }
  return 0;
}
