#include "app/desktop/add_in_library.hpp"

#include <dlfcn.h>

#include <cstdio>
#include <stdexcept>

namespace sledway::app {
namespace {

std::string Hex(std::int32_t code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
  return text;
}

}  // namespace

AddInLibrary::AddInLibrary(const std::filesystem::path& path) : path_(path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    throw std::runtime_error("add-in library " + path.string() + ": there is no such file");
  }
  handle_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) {
    throw std::runtime_error("add-in library " + path.string() +
                             " cannot be loaded: " + ::dlerror());
  }
  try {
    register_ = reinterpret_cast<DllRegisterServerFn>(Symbol("DllRegisterServer"));
    unregister_ = reinterpret_cast<DllUnregisterServerFn>(Symbol("DllUnregisterServer"));
    getClassObject_ = reinterpret_cast<DllGetClassObjectFn>(Symbol("DllGetClassObject"));
    canUnloadNow_ = reinterpret_cast<DllCanUnloadNowFn>(Symbol("DllCanUnloadNow"));
  } catch (...) {
    ::dlclose(handle_);
    throw;
  }
}

AddInLibrary::~AddInLibrary() {
  if (canUnloadNow_() == kS_OK) ::dlclose(handle_);
}

void* AddInLibrary::Symbol(const char* name) {
  void* symbol = ::dlsym(handle_, name);
  if (!symbol) {
    throw std::runtime_error("library " + path_.string() +
                             " is not an add-in: it does not export " + name);
  }
  return symbol;
}

void AddInLibrary::Register() {
  if (const std::int32_t result = register_(); result != kS_OK) {
    throw std::runtime_error("add-in library " + path_.string() + " could not register (" +
                             Hex(result) + ")");
  }
}

void AddInLibrary::Unregister() {
  if (const std::int32_t result = unregister_(); result != kS_OK) {
    throw std::runtime_error("add-in library " + path_.string() + " could not unregister (" +
                             Hex(result) + ")");
  }
}

Ref<ApplicationAddInServer> AddInLibrary::CreateServer(const std::string& classId) {
  IVClassFactory* factory = nullptr;
  const std::int32_t result = getClassObject_(classId.c_str(), &factory);
  if (result != kS_OK || !factory) {
    throw std::runtime_error("add-in library " + path_.string() + " has no class " + classId +
                             " (" + Hex(result) + ")");
  }
  Ref<ApplicationAddInServer> server = factory->CreateInstance();
  if (!server) {
    throw std::runtime_error("add-in library " + path_.string() + " made no server of class " +
                             classId);
  }
  return server;
}

}  // namespace sledway::app
