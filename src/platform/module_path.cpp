// Where a loaded library lives: the host's registration names the library by its path.
#include <string>

#include "platform/add_in_registry.hpp"

#ifdef _WIN32
#include <windows.h>

#include <array>
#else
#include <dlfcn.h>

#include <cstdlib>
#endif

namespace sledway::platform {

std::string ModulePathOf(const void* address) {
#ifdef _WIN32
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          static_cast<LPCSTR>(address), &module)) {
    return {};
  }
  std::array<char, MAX_PATH> path{};
  const DWORD length = GetModuleFileNameA(module, path.data(), path.size());
  return std::string(path.data(), length);
#else
  Dl_info info{};
  if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
  char* resolved = realpath(info.dli_fname, nullptr);
  if (resolved == nullptr) return info.dli_fname;
  std::string path(resolved);
  free(resolved);
  return path;
#endif
}

}  // namespace sledway::platform
