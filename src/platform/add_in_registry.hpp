#pragma once

#include <string>
#include <vector>

namespace sledway::platform {

// One add-in class as the per-user registry records it, under the keys the CAD host reads for an
// in-process add-in server, on Windows and in the Linux hive alike:
//   HKEY_CURRENT_USER\Software\Classes\CLSID\{classId}   default value: the name
//     InprocServer32          default value: the library's absolute path; ThreadingModel
//     Implemented Categories\{E357129A-DB40-11d2-B783-0060B0F159EF}   marks a host add-in
//     Implemented Categories\{39AD2B5C-7A29-11D6-8E0A-0010B541CAA8}   as the host's templates add
//     Description             default value: the description
//     Settings                string values AddInType "Standard", LoadOnStartUp, UserUnloadable
//                             and Hidden ("1" or "0"), SupportedSoftwareVersionGreaterThan; the
//                             DWORD Version 0
struct AddInRegistration {
  std::string classId;  // registry form, braces included
  std::string name;
  std::string libraryPath;
  bool loadOnStartUp = true;
  std::string description{};
  // The host versions the add-in loads in, in the host's form ("25.." is any version after 25);
  // empty for any version.
  std::string supportedSoftwareVersionGreaterThan{};
  bool userUnloadable = true;
  bool hidden = false;
};

// Writes (or rewrites) the registration. Throws std::runtime_error naming the key that could
// not be written.
void RegisterAddIn(const AddInRegistration& registration);

// Removes the keys and values RegisterAddIn writes and nothing else: a key that holds something
// of another program's after ours is gone stays. A class that is not registered is no error.
// Throws std::runtime_error naming the key that could not be removed.
void UnregisterAddIn(const std::string& classId);

// Every class marked with the add-in category, in the order the registry lists them. Classes
// without the category (other in-process servers) are left out. A LoadOnStartUp stored as a
// DWORD by an earlier version is read as well as the string.
std::vector<AddInRegistration> RegisteredAddIns();

// The absolute path of the shared library (or program) that holds `address`; empty when it
// cannot be told.
std::string ModulePathOf(const void* address);

}  // namespace sledway::platform
