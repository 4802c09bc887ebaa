#include "platform/registry.hpp"
// The registry header comes first: on Windows it must precede <windows.h>.
#include <array>
#include <cstdint>
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

bool Open(const std::string& path, Key& key) {
  return RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS,
                       key.Out()) == ERROR_SUCCESS;
}

void Create(const std::string& path, Key& key) {
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE | KEY_CREATE_SUB_KEY, nullptr, key.Out(),
                      nullptr) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot write the registry key HKEY_CURRENT_USER\\" + path);
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

void SetDword(const std::string& path, const char* valueName, std::uint32_t value) {
  Key key;
  Create(path, key);
  if (RegSetValueExA(key.Get(), valueName, 0, REG_DWORD,
                     reinterpret_cast<const std::uint8_t*>(&value),
                     sizeof value) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot write a value of HKEY_CURRENT_USER\\" + path);
  }
}

// The text of a REG_SZ value (without its terminating NUL), or empty when there is none.
std::string ReadText(const std::string& path, const char* valueName) {
  Key key;
  if (!Open(path, key)) return {};
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  if (RegQueryValueExA(key.Get(), valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return {};
  }
  std::string text(size, '\0');
  if (RegQueryValueExA(key.Get(), valueName, nullptr, &type,
                       reinterpret_cast<std::uint8_t*>(text.data()), &size) != ERROR_SUCCESS) {
    return {};
  }
  text.resize(size);
  if (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

bool ReadDword(const std::string& path, const char* valueName, std::uint32_t& value) {
  Key key;
  if (!Open(path, key)) return false;
  std::uint32_t type = 0;
  std::uint32_t size = sizeof value;
  return RegQueryValueExA(key.Get(), valueName, nullptr, &type,
                          reinterpret_cast<std::uint8_t*>(&value), &size) == ERROR_SUCCESS &&
         type == REG_DWORD;
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

// Deletes a key and everything below it; a missing key is no error.
void DeleteTree(const std::string& path) {
  if (!Exists(path)) return;
  for (const std::string& child : SubkeyNames(path)) DeleteTree(path + "\\" + child);
  if (RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str()) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot remove the registry key HKEY_CURRENT_USER\\" + path);
  }
}

}  // namespace

void RegisterAddIn(const AddInRegistration& registration) {
  const std::string key = ClassKey(registration.classId);
  SetText(key, nullptr, registration.name);
  SetText(key + "\\InprocServer32", nullptr, registration.libraryPath);
  Key category;
  Create(key + "\\Implemented Categories\\" + kAddInCategory, category);
  SetDword(key + "\\Settings", "LoadOnStartUp", registration.loadOnStartUp ? 1u : 0u);
}

void UnregisterAddIn(const std::string& classId) {
  DeleteTree(ClassKey(classId));
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
    std::uint32_t load = 1;
    registration.loadOnStartUp = !ReadDword(key + "\\Settings", "LoadOnStartUp", load) || load != 0;
    addIns.push_back(registration);
  }
  return addIns;
}

}  // namespace sledway::platform
