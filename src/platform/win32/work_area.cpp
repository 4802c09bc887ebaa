#include "platform/win32/work_area.hpp"

namespace sledway::platform {
namespace {

RECT WorkAreaOfMonitor(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (monitor != nullptr && GetMonitorInfoW(monitor, &info)) return info.rcWork;
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

}  // namespace

RECT WorkAreaOf(HWND window) {
  const POINT origin{0, 0};
  return WorkAreaOfMonitor(window != nullptr ? MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY)
                                             : MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY));
}

bool OnAnyWorkArea(const RECT& frame) {
  struct Search {
    RECT frame;
    bool found = false;
  } search{frame};
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
        auto& search = *reinterpret_cast<Search*>(data);
        const RECT area = WorkAreaOfMonitor(monitor);
        RECT common;
        search.found = IntersectRect(&common, &area, &search.frame) != 0;
        return search.found ? FALSE : TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace sledway::platform
