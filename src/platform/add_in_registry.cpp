#include "platform/registry.hpp"
// The registry header comes first: on Windows it must precede <windows.h>.
#include <array>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "host/add_in_server.hpp"
#include "platform/add_in_registry.hpp"

namespace sledway::platform {
namespace {

const std::string kClassesKey = "Software\\Classes\\CLSID";

std::string ClassKey(const std::string& classId) {
  return kClassesKey + "\\" + classId;
}

// A key handle closed when it goes out of scope.
class Key {
 public:
  Key() = default;
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  ~Key() {
    if (handle_ != nullptr) RegCloseKey(handle_);
  }
  HKEY* Out() { return &handle_; }
  HKEY Get() const { return handle_; }

 private:
  HKEY handle_ = nullptr;
};

bool Open(const std::string& path, std::uint32_t access, Key& key) {
  return RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, access, key.Out()) == ERROR_SUCCESS;
}

bool Open(const std::string& path, Key& key) {
  return Open(path, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, key);
}

void Create(const std::string& path, Key& key) {
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE | KEY_CREATE_SUB_KEY, nullptr, key.Out(),
                      nullptr) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot write the registry key HKEY_CURRENT_USER\\" + path);
  }
}

void SetDword(const std::string& path, const char* valueName, std::uint32_t value) {
  Key key;
  Create(path, key);
  if (RegSetValueExA(key.Get(), valueName, 0, REG_DWORD,
                     reinterpret_cast<const std::uint8_t*>(&value),
                     sizeof value) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot write a value of HKEY_CURRENT_USER\\" + path);
  }
}

void SetText(const std::string& path, const char* valueName, const std::string& text) {
  Key key;
  Create(path, key);
  if (RegSetValueExA(key.Get(), valueName, 0, REG_SZ,
                     reinterpret_cast<const std::uint8_t*>(text.c_str()),
                     static_cast<std::uint32_t>(text.size() + 1)) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot write a value of HKEY_CURRENT_USER\\" + path);
  }
}

// The host reads its flags as the strings "1" and "0".
const char* Flag(bool on) {
  return on ? "1" : "0";
}

// The raw bytes and type of a value; false when there is none.
bool ReadValue(const std::string& path, const char* valueName, std::uint32_t& type,
               std::string& data) {
  Key key;
  if (!Open(path, key)) return false;
  std::uint32_t size = 0;
  if (RegQueryValueExA(key.Get(), valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
    return false;
  }
  data.assign(size, '\0');
  if (RegQueryValueExA(key.Get(), valueName, nullptr, &type,
                       reinterpret_cast<std::uint8_t*>(data.data()), &size) != ERROR_SUCCESS) {
    return false;
  }
  data.resize(size);
  return true;
}

// The text of a REG_SZ value (without its terminating NUL), or empty when there is none.
std::string ReadText(const std::string& path, const char* valueName) {
  std::uint32_t type = 0;
  std::string text;
  if (!ReadValue(path, valueName, type, text) || type != REG_SZ) return {};
  if (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

// A flag as the host stores it, "1" or "0"; an earlier version of ours wrote LoadOnStartUp as a
// DWORD, which is read too. Anything else, or nothing, gives `absent`.
bool ReadFlag(const std::string& path, const char* valueName, bool absent) {
  std::uint32_t type = 0;
  std::string data;
  if (!ReadValue(path, valueName, type, data)) return absent;
  if (type == REG_DWORD && data.size() == sizeof(std::uint32_t)) {
    std::uint32_t value = 0;
    std::memcpy(&value, data.data(), sizeof value);
    return value != 0;
  }
  if (type != REG_SZ) return absent;
  if (!data.empty() && data.back() == '\0') data.pop_back();
  if (data == "1") return true;
  if (data == "0") return false;
  return absent;
}

bool Exists(const std::string& path) {
  Key key;
  return Open(path, key);
}

std::vector<std::string> SubkeyNames(const std::string& path) {
  std::vector<std::string> names;
  Key key;
  if (!Open(path, key)) return names;
  for (std::uint32_t index = 0;; ++index) {
    std::array<char, 256> name{};
    std::uint32_t length = name.size();
    if (RegEnumKeyExA(key.Get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    names.emplace_back(name.data(), length);
  }
  return names;
}

// Deletes one value; a missing key or value is no error.
void RemoveValue(const std::string& path, const char* valueName) {
  Key key;
  if (!Open(path, KEY_SET_VALUE, key)) return;
  const std::int32_t result = RegDeleteValueA(key.Get(), valueName);
  if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) {
    throw std::runtime_error("cannot remove a value of HKEY_CURRENT_USER\\" + path);
  }
}

// Deletes a key that holds nothing (no value, no subkey): one that still holds something was
// not ours alone. A missing key is no error.
void RemoveKeyWhenEmpty(const std::string& path) {
  {
    Key key;
    if (!Open(path, key)) return;
    std::uint32_t subkeys = 0;
    std::uint32_t values = 0;
    if (RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      throw std::runtime_error("cannot read the registry key HKEY_CURRENT_USER\\" + path);
    }
    if (subkeys != 0 || values != 0) return;
  }
  if (RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str()) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot remove the registry key HKEY_CURRENT_USER\\" + path);
  }
}

constexpr const char* kSettingNames[] = {
    "AddInType",      "LoadOnStartUp", "SupportedSoftwareVersionGreaterThan",
    "UserUnloadable", "Hidden",        "Version"};

}  // namespace

void RegisterAddIn(const AddInRegistration& registration) {
  const std::string key = ClassKey(registration.classId);
  SetText(key, nullptr, registration.name);
  SetText(key + "\\InprocServer32", nullptr, registration.libraryPath);
  // The host calls the add-in on its user-interface thread only.
  SetText(key + "\\InprocServer32", "ThreadingModel", "Apartment");
  for (const char* marker : {kAddInCategory, kVersionedAddInCategory}) {
    Key category;
    Create(key + "\\Implemented Categories\\" + marker, category);
  }
  SetText(key + "\\Description", nullptr, registration.description);
  const std::string settings = key + "\\Settings";
  SetText(settings, "AddInType", "Standard");
  SetText(settings, "LoadOnStartUp", Flag(registration.loadOnStartUp));
  if (registration.supportedSoftwareVersionGreaterThan.empty()) {
    RemoveValue(settings, "SupportedSoftwareVersionGreaterThan");
  } else {
    SetText(settings, "SupportedSoftwareVersionGreaterThan",
            registration.supportedSoftwareVersionGreaterThan);
  }
  SetText(settings, "UserUnloadable", Flag(registration.userUnloadable));
  SetText(settings, "Hidden", Flag(registration.hidden));
  SetDword(settings, "Version", 0);
}

void UnregisterAddIn(const std::string& classId) {
  const std::string key = ClassKey(classId);
  for (const char* name : kSettingNames) RemoveValue(key + "\\Settings", name);
  RemoveKeyWhenEmpty(key + "\\Settings");
  RemoveValue(key + "\\Description", nullptr);
  RemoveKeyWhenEmpty(key + "\\Description");
  RemoveKeyWhenEmpty(key + "\\Implemented Categories\\" + kAddInCategory);
  RemoveKeyWhenEmpty(key + "\\Implemented Categories\\" + kVersionedAddInCategory);
  RemoveKeyWhenEmpty(key + "\\Implemented Categories");
  RemoveValue(key + "\\InprocServer32", nullptr);
  RemoveValue(key + "\\InprocServer32", "ThreadingModel");
  RemoveKeyWhenEmpty(key + "\\InprocServer32");
  RemoveValue(key, nullptr);
  RemoveKeyWhenEmpty(key);
}

std::vector<AddInRegistration> RegisteredAddIns() {
  std::vector<AddInRegistration> addIns;
  for (const std::string& classId : SubkeyNames(kClassesKey)) {
    const std::string key = ClassKey(classId);
    if (!Exists(key + "\\Implemented Categories\\" + kAddInCategory)) continue;
    AddInRegistration registration;
    registration.classId = classId;
    registration.name = ReadText(key, nullptr);
    registration.libraryPath = ReadText(key + "\\InprocServer32", nullptr);
    registration.description = ReadText(key + "\\Description", nullptr);
    const std::string settings = key + "\\Settings";
    registration.loadOnStartUp = ReadFlag(settings, "LoadOnStartUp", true);
    registration.supportedSoftwareVersionGreaterThan =
        ReadText(settings, "SupportedSoftwareVersionGreaterThan");
    registration.userUnloadable = ReadFlag(settings, "UserUnloadable", true);
    registration.hidden = ReadFlag(settings, "Hidden", false);
    addIns.push_back(registration);
  }
  return addIns;
}

}  // namespace sledway::platform
