// Where a loaded module lives, on Windows. A file of its own: beside <windows.h>, the
// registry functions' names would be overloaded with advapi32's.

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>
#include <vector>

#include "platform/add_in_registry.hpp"
#include "platform/win32/wide_text.hpp"

namespace sledway::platform {

std::string ModulePathOf(const void* address) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          static_cast<LPCWSTR>(address), &module)) {
    return {};
  }
  // A path that fills the buffer may have been cut short: try again with a larger one. The
  // W form keeps every character of the path, whatever the system's ANSI code page.
  for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
    std::vector<wchar_t> path(size);
    const DWORD length = GetModuleFileNameW(module, path.data(), size);
    if (length == 0) return {};
    if (length < size) return Utf8({path.data(), length});
  }
  return {};
}

}  // namespace sledway::platform
