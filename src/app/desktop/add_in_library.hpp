#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "host/add_in_server.hpp"

namespace sledway::app {

// An add-in library loaded into the process, through its four in-process server entry points.
class AddInLibrary {
 public:
  // Loads the library. Throws std::runtime_error naming it when it is missing, cannot be
  // loaded or lacks one of the entry points (then it is no add-in).
  explicit AddInLibrary(const std::filesystem::path& path);
  // Unloads the library when it says that nothing it made is still alive; otherwise it stays
  // loaded, since code of it may still run.
  ~AddInLibrary();
  AddInLibrary(const AddInLibrary&) = delete;
  AddInLibrary& operator=(const AddInLibrary&) = delete;

  // The library's own registration entry points; throw std::runtime_error naming the library
  // and the result code when it reports a failure.
  void Register();
  void Unregister();
  // A new server of the class; throws std::runtime_error naming the library and the class when
  // it does not make one.
  Ref<ApplicationAddInServer> CreateServer(const std::string& classId);

 private:
  void* Symbol(const char* name);

  std::filesystem::path path_;
  void* handle_ = nullptr;
  DllRegisterServerFn register_ = nullptr;
  DllUnregisterServerFn unregister_ = nullptr;
  DllGetClassObjectFn getClassObject_ = nullptr;
  DllCanUnloadNowFn canUnloadNow_ = nullptr;
};

}  // namespace sledway::app
