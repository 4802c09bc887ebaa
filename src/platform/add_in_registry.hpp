#pragma once

#include <string>
#include <vector>

namespace sledway::platform {

// One add-in class as the per-user registry records it, under the keys an in-process server
// uses: HKEY_CURRENT_USER\Software\Classes\CLSID\{classId} (default value: the name), its
// InprocServer32 subkey (default value: the library's absolute path), the add-in category under
// "Implemented Categories", and "Settings" with the DWORD LoadOnStartUp.
struct AddInRegistration {
  std::string classId;  // registry form, braces included
  std::string name;
  std::string libraryPath;
  bool loadOnStartUp = true;
};

// Writes (or rewrites) the registration. Throws std::runtime_error naming the key that could
// not be written.
void RegisterAddIn(const AddInRegistration& registration);

// Removes the class's keys; a class that is not registered is no error. Throws
// std::runtime_error naming the key that could not be removed.
void UnregisterAddIn(const std::string& classId);

// Every class marked with the add-in category, in the order the registry lists them. Classes
// without the category (other in-process servers) are left out.
std::vector<AddInRegistration> RegisteredAddIns();

// The absolute path of the shared library (or program) that holds `address`; empty when it
// cannot be told.
std::string ModulePathOf(const void* address);

}  // namespace sledway::platform
