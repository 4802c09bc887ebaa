// The registry functions on Windows: advapi32's own, reached through our signatures in their W
// forms, the add-in's UTF-8 converted on the way in and out.

#include "platform/registry.hpp"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/wide_text.hpp"

namespace sledway::platform {
namespace {

// advapi32 counts in DWORD (unsigned long); ours are std::uint32_t of the same width. The
// count goes in on construction and comes back out when the call's full expression ends.
class DwordArgument {
 public:
  explicit DwordArgument(std::uint32_t* target)
      : target_(target), value_(target == nullptr ? 0 : *target) {}
  ~DwordArgument() {
    if (target_ != nullptr) *target_ = static_cast<std::uint32_t>(value_);
  }
  DwordArgument(const DwordArgument&) = delete;
  DwordArgument& operator=(const DwordArgument&) = delete;

  DWORD* get() { return target_ == nullptr ? nullptr : &value_; }

 private:
  std::uint32_t* target_;
  DWORD value_;
};

class FileTimeArgument {
 public:
  explicit FileTimeArgument(FILETIME* target) : target_(target) {}
  ~FileTimeArgument() {
    if (target_ != nullptr) {
      *target_ = FILETIME{static_cast<std::uint32_t>(value_.dwLowDateTime),
                          static_cast<std::uint32_t>(value_.dwHighDateTime)};
    }
  }
  FileTimeArgument(const FileTimeArgument&) = delete;
  FileTimeArgument& operator=(const FileTimeArgument&) = delete;

  ::FILETIME* get() { return target_ == nullptr ? nullptr : &value_; }

 private:
  FILETIME* target_;
  ::FILETIME value_{};
};

// The text of a name, UTF-8 as the add-in holds it, in the UTF-16 of advapi32's W forms; null
// stays null.
class WideName {
 public:
  explicit WideName(const char* utf8) : given_(utf8 != nullptr) {
    if (given_) text_ = Wide(utf8);
  }
  const wchar_t* get() const { return given_ ? text_.c_str() : nullptr; }

 private:
  bool given_;
  std::wstring text_;
};

bool IsText(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// Text values are stored in UTF-16 and handed out in UTF-8, byte for byte what was given (a
// value written without its terminating NUL stays without one); other values pass as they are.
std::vector<BYTE> Stored(DWORD type, const std::uint8_t* data, std::uint32_t size) {
  if (!IsText(type) || data == nullptr) return {data, data + (data == nullptr ? 0 : size)};
  const std::wstring wide = Wide({reinterpret_cast<const char*>(data), size});
  const auto* bytes = reinterpret_cast<const BYTE*>(wide.data());
  return {bytes, bytes + wide.size() * sizeof(wchar_t)};
}

std::string Given(DWORD type, const std::vector<BYTE>& stored) {
  if (!IsText(type)) return {stored.begin(), stored.end()};
  return Utf8({reinterpret_cast<const wchar_t*>(stored.data()), stored.size() / sizeof(wchar_t)});
}

// Copies `bytes` out as the A forms do: with `data` null the size alone, with a buffer too
// small ERROR_MORE_DATA and the size needed.
std::int32_t CopyData(const std::string& bytes, std::uint8_t* data, std::uint32_t* size) {
  const auto needed = static_cast<std::uint32_t>(bytes.size());
  if (size == nullptr) return data == nullptr ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
  const std::uint32_t room = *size;
  *size = needed;
  if (data == nullptr) return ERROR_SUCCESS;
  if (room < needed) return ERROR_MORE_DATA;
  std::copy(bytes.begin(), bytes.end(), data);
  return ERROR_SUCCESS;
}

// Copies a name out into a buffer of `*count` characters, NUL included; `*count` receives its
// length without the NUL.
std::int32_t CopyName(const std::string& name, char* buffer, std::uint32_t* count) {
  if (buffer == nullptr || count == nullptr) return ERROR_SUCCESS;
  if (*count <= name.size()) return ERROR_MORE_DATA;
  std::copy(name.begin(), name.end(), buffer);
  buffer[name.size()] = '\0';
  *count = static_cast<std::uint32_t>(name.size());
  return ERROR_SUCCESS;
}

// A value's type and stored bytes, read whole.
LSTATUS ReadStored(HKEY key, const wchar_t* name, DWORD& type, std::vector<BYTE>& stored) {
  for (;;) {
    DWORD size = static_cast<DWORD>(stored.size());
    const LSTATUS status = ::RegQueryValueExW(key, name, nullptr, &type,
                                              stored.empty() ? nullptr : stored.data(), &size);
    if (status == ERROR_SUCCESS && !stored.empty() && size <= stored.size()) {
      stored.resize(size);
      return status;
    }
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) return status;
    if (status == ERROR_SUCCESS && size == 0) {
      stored.clear();
      return status;
    }
    stored.resize(size + sizeof(wchar_t));
  }
}

}  // namespace

// Every function below reaches advapi32 through its W form: names and text values keep every
// character, whatever the system's ANSI code page.

std::int32_t RegOpenKeyExA(HKEY hKey, const char* lpSubKey, std::uint32_t ulOptions,
                           std::uint32_t samDesired, HKEY* phkResult) {
  return ::RegOpenKeyExW(hKey, WideName(lpSubKey).get(), ulOptions, samDesired, phkResult);
}

std::int32_t RegCreateKeyExA(HKEY hKey, const char* lpSubKey, std::uint32_t Reserved,
                             const char* lpClass, std::uint32_t dwOptions, std::uint32_t samDesired,
                             const void* lpSecurityAttributes, HKEY* phkResult,
                             std::uint32_t* lpdwDisposition) {
  const WideName keyClass(lpClass);
  return ::RegCreateKeyExW(hKey, WideName(lpSubKey).get(), Reserved,
                           const_cast<wchar_t*>(keyClass.get()), dwOptions, samDesired,
                           const_cast<SECURITY_ATTRIBUTES*>(
                               static_cast<const SECURITY_ATTRIBUTES*>(lpSecurityAttributes)),
                           phkResult, DwordArgument(lpdwDisposition).get());
}

std::int32_t RegCloseKey(HKEY hKey) {
  return ::RegCloseKey(hKey);
}

std::int32_t RegQueryValueExA(HKEY hKey, const char* lpValueName, std::uint32_t* lpReserved,
                              std::uint32_t* lpType, std::uint8_t* lpData,
                              std::uint32_t* lpcbData) {
  if (lpReserved != nullptr) return ERROR_INVALID_PARAMETER;
  DWORD type = 0;
  std::vector<BYTE> stored;
  const LSTATUS status = ReadStored(hKey, WideName(lpValueName).get(), type, stored);
  if (status != ERROR_SUCCESS) return status;
  if (lpType != nullptr) *lpType = static_cast<std::uint32_t>(type);
  return CopyData(Given(type, stored), lpData, lpcbData);
}

std::int32_t RegSetValueExA(HKEY hKey, const char* lpValueName, std::uint32_t Reserved,
                            std::uint32_t dwType, const std::uint8_t* lpData,
                            std::uint32_t cbData) {
  const std::vector<BYTE> stored = Stored(dwType, lpData, cbData);
  return ::RegSetValueExW(hKey, WideName(lpValueName).get(), Reserved, dwType,
                          lpData == nullptr ? nullptr : stored.data(),
                          static_cast<DWORD>(stored.size()));
}

std::int32_t RegDeleteValueA(HKEY hKey, const char* lpValueName) {
  return ::RegDeleteValueW(hKey, WideName(lpValueName).get());
}

std::int32_t RegDeleteKeyA(HKEY hKey, const char* lpSubKey) {
  return ::RegDeleteKeyW(hKey, WideName(lpSubKey).get());
}

// The longest names and value in UTF-8, as the A forms count them: the key's subkeys and values
// are read to tell.
std::int32_t RegQueryInfoKeyA(HKEY hKey, char* lpClass, std::uint32_t* lpcchClass,
                              std::uint32_t* lpReserved, std::uint32_t* lpcSubKeys,
                              std::uint32_t* lpcbMaxSubKeyLen, std::uint32_t* lpcbMaxClassLen,
                              std::uint32_t* lpcValues, std::uint32_t* lpcbMaxValueNameLen,
                              std::uint32_t* lpcbMaxValueLen, std::uint32_t* lpcbSecurityDescriptor,
                              FILETIME* lpftLastWriteTime) {
  std::vector<wchar_t> keyClass(lpcchClass != nullptr ? *lpcchClass + 1 : 1);
  DWORD classLength = static_cast<DWORD>(keyClass.size());
  DWORD subkeys = 0;
  DWORD values = 0;
  const bool wantsClass = lpClass != nullptr && lpcchClass != nullptr;
  const LSTATUS status = ::RegQueryInfoKeyW(
      hKey, wantsClass ? keyClass.data() : nullptr, wantsClass ? &classLength : nullptr,
      DwordArgument(lpReserved).get(), &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
      DwordArgument(lpcbSecurityDescriptor).get(), FileTimeArgument(lpftLastWriteTime).get());
  if (status != ERROR_SUCCESS) return status;
  std::uint32_t longestName = 0;
  std::uint32_t longestClass = 0;
  for (DWORD index = 0; index < subkeys; ++index) {
    wchar_t name[256];
    DWORD length = 256;
    wchar_t subkeyClass[256];
    DWORD subkeyClassLength = 256;
    if (::RegEnumKeyExW(hKey, index, name, &length, nullptr, subkeyClass, &subkeyClassLength,
                        nullptr) != ERROR_SUCCESS) {
      break;
    }
    longestName = std::max<std::uint32_t>(longestName, Utf8({name, length}).size());
    longestClass =
        std::max<std::uint32_t>(longestClass, Utf8({subkeyClass, subkeyClassLength}).size());
  }
  std::uint32_t longestValueName = 0;
  std::uint32_t longestValue = 0;
  std::vector<wchar_t> name(16384);
  for (DWORD index = 0; index < values; ++index) {
    DWORD length = static_cast<DWORD>(name.size());
    DWORD type = 0;
    std::vector<BYTE> stored;
    if (::RegEnumValueW(hKey, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS ||
        ReadStored(hKey, length == 0 ? nullptr : name.data(), type, stored) != ERROR_SUCCESS) {
      break;
    }
    longestValueName =
        std::max<std::uint32_t>(longestValueName, Utf8({name.data(), length}).size());
    longestValue = std::max<std::uint32_t>(longestValue, Given(type, stored).size());
  }
  if (lpcSubKeys != nullptr) *lpcSubKeys = subkeys;
  if (lpcValues != nullptr) *lpcValues = values;
  if (lpcbMaxSubKeyLen != nullptr) *lpcbMaxSubKeyLen = longestName;
  if (lpcbMaxClassLen != nullptr) *lpcbMaxClassLen = longestClass;
  if (lpcbMaxValueNameLen != nullptr) *lpcbMaxValueNameLen = longestValueName;
  if (lpcbMaxValueLen != nullptr) *lpcbMaxValueLen = longestValue;
  if (!wantsClass) return ERROR_SUCCESS;
  return CopyName(Utf8({keyClass.data(), classLength}), lpClass, lpcchClass);
}

std::int32_t RegEnumValueA(HKEY hKey, std::uint32_t dwIndex, char* lpValueName,
                           std::uint32_t* lpcchValueName, std::uint32_t* lpReserved,
                           std::uint32_t* lpType, std::uint8_t* lpData, std::uint32_t* lpcbData) {
  if (lpReserved != nullptr) return ERROR_INVALID_PARAMETER;
  // Value names are at most 16383 characters.
  std::vector<wchar_t> name(16384);
  DWORD nameLength = static_cast<DWORD>(name.size());
  const LSTATUS status =
      ::RegEnumValueW(hKey, dwIndex, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr);
  if (status != ERROR_SUCCESS) return status;
  DWORD type = 0;
  std::vector<BYTE> stored;
  const wchar_t* valueName = nameLength == 0 ? nullptr : name.data();
  if (const LSTATUS read = ReadStored(hKey, valueName, type, stored); read != ERROR_SUCCESS) {
    return read;
  }
  if (const std::int32_t copied =
          CopyName(Utf8({name.data(), nameLength}), lpValueName, lpcchValueName);
      copied != ERROR_SUCCESS) {
    return copied;
  }
  if (lpType != nullptr) *lpType = static_cast<std::uint32_t>(type);
  return CopyData(Given(type, stored), lpData, lpcbData);
}

std::int32_t RegEnumKeyExA(HKEY hKey, std::uint32_t dwIndex, char* lpName, std::uint32_t* lpcchName,
                           std::uint32_t* lpReserved, char* lpClass, std::uint32_t* lpcchClass,
                           FILETIME* lpftLastWriteTime) {
  if (lpReserved != nullptr) return ERROR_INVALID_PARAMETER;
  // Key names are at most 255 characters.
  std::vector<wchar_t> name(256);
  DWORD nameLength = static_cast<DWORD>(name.size());
  std::vector<wchar_t> keyClass(lpcchClass != nullptr ? *lpcchClass + 1 : 1);
  DWORD classLength = static_cast<DWORD>(keyClass.size());
  const bool wantsClass = lpClass != nullptr && lpcchClass != nullptr;
  const LSTATUS status = ::RegEnumKeyExW(
      hKey, dwIndex, name.data(), &nameLength, nullptr, wantsClass ? keyClass.data() : nullptr,
      wantsClass ? &classLength : nullptr, FileTimeArgument(lpftLastWriteTime).get());
  if (status != ERROR_SUCCESS) return status;
  if (const std::int32_t copied = CopyName(Utf8({name.data(), nameLength}), lpName, lpcchName);
      copied != ERROR_SUCCESS) {
    return copied;
  }
  if (!wantsClass) return ERROR_SUCCESS;
  return CopyName(Utf8({keyClass.data(), classLength}), lpClass, lpcchClass);
}

}  // namespace sledway::platform
