// The registry functions over the per-user hive file, where advapi32 is absent.

#include "platform/registry.hpp"

#include <algorithm>
#include <cstring>
#include <string>
#include <system_error>
#include <vector>

#include "platform/hive.hpp"
#include "platform/hive_store.hpp"

namespace sledway::platform {

// An open key: the path of the key it names, spelt as stored. Nothing else is kept between
// calls, so that what other processes write is seen at once.
struct OpenKey {
  std::string path;
};

namespace {

// The key path a handle names, or null for a handle that names none.
const std::string* PathOf(HKEY key) {
  static const std::string kRootPath;
  if (key == HKEY_CURRENT_USER) return &kRootPath;
  return key == nullptr ? nullptr : &key->path;
}

std::string Join(const std::string& base, const char* subKey) {
  if (subKey == nullptr || *subKey == '\0') return base;
  return base.empty() ? std::string(subKey) : base + '\\' + subKey;
}

std::int32_t ResultOf(const std::system_error& error) {
  const std::error_code code = error.code();
  if (code == std::errc::permission_denied || code == std::errc::operation_not_permitted ||
      code == std::errc::read_only_file_system) {
    return ERROR_ACCESS_DENIED;
  }
  if (code == std::errc::no_space_on_device) return ERROR_DISK_FULL;
  return ERROR_REGISTRY_IO_FAILED;
}

// Runs `operation` on the current user's hive; a failure of the file becomes a result code.
template <class Operation>
std::int32_t WithStore(Operation operation) {
  try {
    const HiveStore store(HiveStore::DefaultFile());
    return operation(store);
  } catch (const std::system_error& error) {
    return ResultOf(error);
  }
}

// Reads the key `path` names from the hive as it is on disk; `read` returns a result code.
template <class Read>
std::int32_t ReadKey(const std::string& path, Read read) {
  return WithStore([&](const HiveStore& store) {
    const Hive hive = store.Read();
    const HiveKey* key = hive.FindKey(path);
    if (key == nullptr) return ERROR_KEY_DELETED;
    return read(hive, *key);
  });
}

// Changes the key `path` names under the lock; `change` returns a result code and whether
// it changed the hive.
template <class Change>
std::int32_t ModifyKey(const std::string& path, Change change) {
  return WithStore([&](const HiveStore& store) {
    std::int32_t result = ERROR_SUCCESS;
    store.Modify([&](Hive& hive) {
      HiveKey* key = hive.FindKey(path);
      if (key == nullptr) {
        result = ERROR_KEY_DELETED;
        return false;
      }
      bool changed = false;
      result = change(*key, changed);
      return changed;
    });
    return result;
  });
}

std::int32_t CopyData(const std::vector<std::uint8_t>& data, std::uint8_t* buffer,
                      std::uint32_t* size) {
  const auto needed = static_cast<std::uint32_t>(data.size());
  if (buffer == nullptr) {
    if (size != nullptr) *size = needed;
    return ERROR_SUCCESS;
  }
  if (*size < needed) {
    *size = needed;
    return ERROR_MORE_DATA;
  }
  std::copy(data.begin(), data.end(), buffer);
  *size = needed;
  return ERROR_SUCCESS;
}

// `*length` is the buffer's size in characters; it receives the name's length without NUL.
std::int32_t CopyName(const std::string& name, char* buffer, std::uint32_t* length) {
  if (*length <= name.size()) return ERROR_MORE_DATA;
  std::memcpy(buffer, name.c_str(), name.size() + 1);
  *length = static_cast<std::uint32_t>(name.size());
  return ERROR_SUCCESS;
}

// Keys carry no class text and no write time here.
void ReportNoClass(char* lpClass, std::uint32_t* lpcchClass, FILETIME* lpftLastWriteTime) {
  if (lpClass != nullptr && lpcchClass != nullptr && *lpcchClass > 0) *lpClass = '\0';
  if (lpcchClass != nullptr) *lpcchClass = 0;
  if (lpftLastWriteTime != nullptr) *lpftLastWriteTime = FILETIME{0, 0};
}

}  // namespace

std::int32_t RegOpenKeyExA(HKEY hKey, const char* lpSubKey, std::uint32_t /*ulOptions*/,
                           std::uint32_t /*samDesired*/, HKEY* phkResult) {
  if (phkResult == nullptr) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  const std::string* base = PathOf(hKey);
  if (base == nullptr) return ERROR_INVALID_HANDLE;
  const std::string path = Join(*base, lpSubKey);
  if (!IsValidKeyPath(path)) return ERROR_FILE_NOT_FOUND;
  return WithStore([&](const HiveStore& store) {
    const Hive hive = store.Read();
    const std::string* stored = hive.StoredPath(path);
    if (stored == nullptr) return ERROR_FILE_NOT_FOUND;
    *phkResult = new OpenKey{*stored};
    return ERROR_SUCCESS;
  });
}

std::int32_t RegCreateKeyExA(HKEY hKey, const char* lpSubKey, std::uint32_t Reserved,
                             const char* /*lpClass*/, std::uint32_t /*dwOptions*/,
                             std::uint32_t /*samDesired*/, const void* /*lpSecurityAttributes*/,
                             HKEY* phkResult, std::uint32_t* lpdwDisposition) {
  if (phkResult == nullptr || lpSubKey == nullptr || Reserved != 0) {
    return ERROR_INVALID_PARAMETER;
  }
  *phkResult = nullptr;
  const std::string* base = PathOf(hKey);
  if (base == nullptr) return ERROR_INVALID_HANDLE;
  const std::string path = Join(*base, lpSubKey);
  if (!IsValidKeyPath(path)) return ERROR_INVALID_PARAMETER;
  return WithStore([&](const HiveStore& store) {
    bool created = false;
    std::string stored;
    // The key is usually there already, and then nothing needs writing.
    const Hive current = store.Read();
    if (const std::string* existing = current.StoredPath(path)) {
      stored = *existing;
    } else {
      std::int32_t result = ERROR_SUCCESS;
      store.Modify([&](Hive& hive) {
        if (hive.FindKey(*base) == nullptr) {
          result = ERROR_KEY_DELETED;
          return false;
        }
        created = hive.CreateKey(path);
        stored = *hive.StoredPath(path);
        return created;
      });
      if (result != ERROR_SUCCESS) return result;
    }
    if (lpdwDisposition != nullptr) {
      *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    }
    *phkResult = new OpenKey{stored};
    return ERROR_SUCCESS;
  });
}

std::int32_t RegCloseKey(HKEY hKey) {
  if (hKey == HKEY_CURRENT_USER) return ERROR_SUCCESS;
  if (hKey == nullptr) return ERROR_INVALID_HANDLE;
  delete hKey;
  return ERROR_SUCCESS;
}

std::int32_t RegQueryValueExA(HKEY hKey, const char* lpValueName, std::uint32_t* lpReserved,
                              std::uint32_t* lpType, std::uint8_t* lpData,
                              std::uint32_t* lpcbData) {
  if (lpReserved != nullptr || (lpData != nullptr && lpcbData == nullptr)) {
    return ERROR_INVALID_PARAMETER;
  }
  const std::string* path = PathOf(hKey);
  if (path == nullptr) return ERROR_INVALID_HANDLE;
  return ReadKey(*path, [&](const Hive&, const HiveKey& key) {
    const HiveValue* value = key.FindValue(lpValueName == nullptr ? "" : lpValueName);
    if (value == nullptr) return ERROR_FILE_NOT_FOUND;
    if (lpType != nullptr) *lpType = value->type;
    return CopyData(value->data, lpData, lpcbData);
  });
}

std::int32_t RegSetValueExA(HKEY hKey, const char* lpValueName, std::uint32_t Reserved,
                            std::uint32_t dwType, const std::uint8_t* lpData,
                            std::uint32_t cbData) {
  const std::string name = lpValueName == nullptr ? "" : lpValueName;
  if (Reserved != 0 || (lpData == nullptr && cbData != 0) || !IsValidValueName(name)) {
    return ERROR_INVALID_PARAMETER;
  }
  const std::string* path = PathOf(hKey);
  if (path == nullptr) return ERROR_INVALID_HANDLE;
  std::vector<std::uint8_t> data(lpData, lpData + cbData);
  return ModifyKey(*path, [&](HiveKey& key, bool& changed) {
    changed = key.SetValue(name, dwType, std::move(data));
    return ERROR_SUCCESS;
  });
}

std::int32_t RegDeleteValueA(HKEY hKey, const char* lpValueName) {
  const std::string* path = PathOf(hKey);
  if (path == nullptr) return ERROR_INVALID_HANDLE;
  return ModifyKey(*path, [&](HiveKey& key, bool& changed) {
    changed = key.DeleteValue(lpValueName == nullptr ? "" : lpValueName);
    return changed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
  });
}

std::int32_t RegDeleteKeyA(HKEY hKey, const char* lpSubKey) {
  if (lpSubKey == nullptr) return ERROR_INVALID_PARAMETER;
  const std::string* base = PathOf(hKey);
  if (base == nullptr) return ERROR_INVALID_HANDLE;
  const std::string path = Join(*base, lpSubKey);
  if (!IsValidKeyPath(path)) return ERROR_FILE_NOT_FOUND;
  return WithStore([&](const HiveStore& store) {
    std::int32_t result = ERROR_SUCCESS;
    store.Modify([&](Hive& hive) {
      switch (hive.DeleteKey(path)) {
        case DeleteKeyResult::kDeleted:
          return true;
        case DeleteKeyResult::kMissing:
          result = ERROR_FILE_NOT_FOUND;
          return false;
        case DeleteKeyResult::kHasSubkeys:
        case DeleteKeyResult::kIsRoot:
          result = ERROR_ACCESS_DENIED;
          return false;
      }
      return false;
    });
    return result;
  });
}

std::int32_t RegQueryInfoKeyA(HKEY hKey, char* lpClass, std::uint32_t* lpcchClass,
                              std::uint32_t* lpReserved, std::uint32_t* lpcSubKeys,
                              std::uint32_t* lpcbMaxSubKeyLen, std::uint32_t* lpcbMaxClassLen,
                              std::uint32_t* lpcValues, std::uint32_t* lpcbMaxValueNameLen,
                              std::uint32_t* lpcbMaxValueLen, std::uint32_t* lpcbSecurityDescriptor,
                              FILETIME* lpftLastWriteTime) {
  if (lpReserved != nullptr) return ERROR_INVALID_PARAMETER;
  const std::string* path = PathOf(hKey);
  if (path == nullptr) return ERROR_INVALID_HANDLE;
  return ReadKey(*path, [&](const Hive& hive, const HiveKey& key) {
    const std::vector<std::string> subkeys = hive.SubkeyNames(*path);
    std::size_t longestSubkey = 0;
    for (const std::string& name : subkeys) longestSubkey = std::max(longestSubkey, name.size());
    std::size_t longestName = 0;
    std::size_t longestData = 0;
    for (const HiveValue& value : key.Values()) {
      longestName = std::max(longestName, value.name.size());
      longestData = std::max(longestData, value.data.size());
    }
    ReportNoClass(lpClass, lpcchClass, lpftLastWriteTime);
    if (lpcSubKeys != nullptr) *lpcSubKeys = static_cast<std::uint32_t>(subkeys.size());
    if (lpcbMaxSubKeyLen != nullptr) *lpcbMaxSubKeyLen = static_cast<std::uint32_t>(longestSubkey);
    if (lpcbMaxClassLen != nullptr) *lpcbMaxClassLen = 0;
    if (lpcValues != nullptr) *lpcValues = static_cast<std::uint32_t>(key.Values().size());
    if (lpcbMaxValueNameLen != nullptr) {
      *lpcbMaxValueNameLen = static_cast<std::uint32_t>(longestName);
    }
    if (lpcbMaxValueLen != nullptr) *lpcbMaxValueLen = static_cast<std::uint32_t>(longestData);
    if (lpcbSecurityDescriptor != nullptr) *lpcbSecurityDescriptor = 0;
    return ERROR_SUCCESS;
  });
}

std::int32_t RegEnumValueA(HKEY hKey, std::uint32_t dwIndex, char* lpValueName,
                           std::uint32_t* lpcchValueName, std::uint32_t* lpReserved,
                           std::uint32_t* lpType, std::uint8_t* lpData, std::uint32_t* lpcbData) {
  if (lpValueName == nullptr || lpcchValueName == nullptr || lpReserved != nullptr ||
      (lpData != nullptr && lpcbData == nullptr)) {
    return ERROR_INVALID_PARAMETER;
  }
  const std::string* path = PathOf(hKey);
  if (path == nullptr) return ERROR_INVALID_HANDLE;
  return ReadKey(*path, [&](const Hive&, const HiveKey& key) {
    if (dwIndex >= key.Values().size()) return ERROR_NO_MORE_ITEMS;
    const HiveValue& value = key.Values()[dwIndex];
    if (const std::int32_t result = CopyName(value.name, lpValueName, lpcchValueName);
        result != ERROR_SUCCESS) {
      return result;
    }
    if (lpType != nullptr) *lpType = value.type;
    return CopyData(value.data, lpData, lpcbData);
  });
}

std::int32_t RegEnumKeyExA(HKEY hKey, std::uint32_t dwIndex, char* lpName, std::uint32_t* lpcchName,
                           std::uint32_t* lpReserved, char* lpClass, std::uint32_t* lpcchClass,
                           FILETIME* lpftLastWriteTime) {
  if (lpName == nullptr || lpcchName == nullptr || lpReserved != nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  const std::string* path = PathOf(hKey);
  if (path == nullptr) return ERROR_INVALID_HANDLE;
  return ReadKey(*path, [&](const Hive& hive, const HiveKey&) {
    const std::vector<std::string> subkeys = hive.SubkeyNames(*path);
    if (dwIndex >= subkeys.size()) return ERROR_NO_MORE_ITEMS;
    if (const std::int32_t result = CopyName(subkeys[dwIndex], lpName, lpcchName);
        result != ERROR_SUCCESS) {
      return result;
    }
    ReportNoClass(lpClass, lpcchClass, lpftLastWriteTime);
    return ERROR_SUCCESS;
  });
}

}  // namespace sledway::platform
