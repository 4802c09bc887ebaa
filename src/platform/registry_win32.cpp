// The registry functions on Windows: advapi32's own, reached through our signatures.

#include "platform/registry.hpp"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

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

}  // namespace

std::int32_t RegOpenKeyExA(HKEY hKey, const char* lpSubKey, std::uint32_t ulOptions,
                           std::uint32_t samDesired, HKEY* phkResult) {
  return ::RegOpenKeyExA(hKey, lpSubKey, ulOptions, samDesired, phkResult);
}

std::int32_t RegCreateKeyExA(HKEY hKey, const char* lpSubKey, std::uint32_t Reserved,
                             const char* lpClass, std::uint32_t dwOptions, std::uint32_t samDesired,
                             const void* lpSecurityAttributes, HKEY* phkResult,
                             std::uint32_t* lpdwDisposition) {
  return ::RegCreateKeyExA(hKey, lpSubKey, Reserved, const_cast<char*>(lpClass), dwOptions,
                           samDesired,
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
  return ::RegQueryValueExA(hKey, lpValueName, DwordArgument(lpReserved).get(),
                            DwordArgument(lpType).get(), lpData, DwordArgument(lpcbData).get());
}

std::int32_t RegSetValueExA(HKEY hKey, const char* lpValueName, std::uint32_t Reserved,
                            std::uint32_t dwType, const std::uint8_t* lpData,
                            std::uint32_t cbData) {
  return ::RegSetValueExA(hKey, lpValueName, Reserved, dwType, lpData, cbData);
}

std::int32_t RegDeleteValueA(HKEY hKey, const char* lpValueName) {
  return ::RegDeleteValueA(hKey, lpValueName);
}

std::int32_t RegDeleteKeyA(HKEY hKey, const char* lpSubKey) {
  return ::RegDeleteKeyA(hKey, lpSubKey);
}

std::int32_t RegQueryInfoKeyA(HKEY hKey, char* lpClass, std::uint32_t* lpcchClass,
                              std::uint32_t* lpReserved, std::uint32_t* lpcSubKeys,
                              std::uint32_t* lpcbMaxSubKeyLen, std::uint32_t* lpcbMaxClassLen,
                              std::uint32_t* lpcValues, std::uint32_t* lpcbMaxValueNameLen,
                              std::uint32_t* lpcbMaxValueLen, std::uint32_t* lpcbSecurityDescriptor,
                              FILETIME* lpftLastWriteTime) {
  return ::RegQueryInfoKeyA(
      hKey, lpClass, DwordArgument(lpcchClass).get(), DwordArgument(lpReserved).get(),
      DwordArgument(lpcSubKeys).get(), DwordArgument(lpcbMaxSubKeyLen).get(),
      DwordArgument(lpcbMaxClassLen).get(), DwordArgument(lpcValues).get(),
      DwordArgument(lpcbMaxValueNameLen).get(), DwordArgument(lpcbMaxValueLen).get(),
      DwordArgument(lpcbSecurityDescriptor).get(), FileTimeArgument(lpftLastWriteTime).get());
}

std::int32_t RegEnumValueA(HKEY hKey, std::uint32_t dwIndex, char* lpValueName,
                           std::uint32_t* lpcchValueName, std::uint32_t* lpReserved,
                           std::uint32_t* lpType, std::uint8_t* lpData, std::uint32_t* lpcbData) {
  return ::RegEnumValueA(hKey, dwIndex, lpValueName, DwordArgument(lpcchValueName).get(),
                         DwordArgument(lpReserved).get(), DwordArgument(lpType).get(), lpData,
                         DwordArgument(lpcbData).get());
}

std::int32_t RegEnumKeyExA(HKEY hKey, std::uint32_t dwIndex, char* lpName, std::uint32_t* lpcchName,
                           std::uint32_t* lpReserved, char* lpClass, std::uint32_t* lpcchClass,
                           FILETIME* lpftLastWriteTime) {
  return ::RegEnumKeyExA(hKey, dwIndex, lpName, DwordArgument(lpcchName).get(),
                         DwordArgument(lpReserved).get(), lpClass, DwordArgument(lpcchClass).get(),
                         FileTimeArgument(lpftLastWriteTime).get());
}

}  // namespace sledway::platform
