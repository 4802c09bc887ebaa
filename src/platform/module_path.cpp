#include <dlfcn.h>

#include <cstdlib>

#include "platform/add_in_registry.hpp"

namespace sledway::platform {

std::string ModulePathOf(const void* address) {
  Dl_info info{};
  if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
  char* resolved = realpath(info.dli_fname, nullptr);
  if (resolved == nullptr) return info.dli_fname;
  std::string path(resolved);
  free(resolved);
  return path;
}

}  // namespace sledway::platform
