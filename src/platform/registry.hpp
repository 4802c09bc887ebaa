#pragma once

// The registry functions of advapi32 in the form of its A functions, with their result codes,
// every name and text value in UTF-8. On Windows they are advapi32's own, reached through its W
// functions, so that a name or path outside the system's ANSI code page is kept. Elsewhere they
// keep HKEY_CURRENT_USER in a per-user hive file (see hive_store.hpp), read anew on every call: a
// handle only names the path of its key, so several processes can share the file, and a key deleted
// by one of them reports ERROR_KEY_DELETED through the handles the others hold.
//
// Differences off Windows: there is a single user and no access control, so access masks,
// options and security attributes are accepted and not checked; keys have no class text and
// no write time (both read as empty). Names compare without regard to ASCII case and keep the
// spelling they were first given.
//
// The names below are advapi32's. On Windows <windows.h> defines most of them as macros, so
// a file that needs both includes this header first.

#include <cstdint>

#ifdef _WIN32
#ifdef ERROR_SUCCESS
#error "include platform/registry.hpp before <windows.h>"
#endif
struct HKEY__;  // as <windows.h> declares it, so that one HKEY type serves both
#endif

namespace sledway::platform {

#ifdef _WIN32
using HKEY = ::HKEY__*;
#else
struct OpenKey;
using HKEY = OpenKey*;
#endif

// Sign-extended like advapi32's predefined handle.
inline const HKEY HKEY_CURRENT_USER =
    reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<std::int32_t>(0x80000001u)));

inline constexpr std::int32_t ERROR_SUCCESS = 0;
inline constexpr std::int32_t ERROR_FILE_NOT_FOUND = 2;
inline constexpr std::int32_t ERROR_ACCESS_DENIED = 5;
inline constexpr std::int32_t ERROR_INVALID_HANDLE = 6;
inline constexpr std::int32_t ERROR_INVALID_PARAMETER = 87;
inline constexpr std::int32_t ERROR_DISK_FULL = 112;
inline constexpr std::int32_t ERROR_MORE_DATA = 234;
inline constexpr std::int32_t ERROR_NO_MORE_ITEMS = 259;
inline constexpr std::int32_t ERROR_REGISTRY_IO_FAILED = 1016;
inline constexpr std::int32_t ERROR_KEY_DELETED = 1018;

inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;

inline constexpr std::uint32_t KEY_QUERY_VALUE = 0x0001;
inline constexpr std::uint32_t KEY_SET_VALUE = 0x0002;
inline constexpr std::uint32_t KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr std::uint32_t KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr std::uint32_t KEY_NOTIFY = 0x0010;
inline constexpr std::uint32_t KEY_CREATE_LINK = 0x0020;

inline constexpr std::uint32_t REG_OPTION_NON_VOLATILE = 0;
inline constexpr std::uint32_t REG_CREATED_NEW_KEY = 1;
inline constexpr std::uint32_t REG_OPENED_EXISTING_KEY = 2;

// 100-nanosecond intervals since 1601, in two halves.
struct FILETIME {
  std::uint32_t dwLowDateTime;
  std::uint32_t dwHighDateTime;
};

// Opens an existing key below `hKey` ("" or null opens `hKey`'s own key again).
std::int32_t RegOpenKeyExA(HKEY hKey, const char* lpSubKey, std::uint32_t ulOptions,
                           std::uint32_t samDesired, HKEY* phkResult);

// Opens the key, first creating it and any missing key on its path.
std::int32_t RegCreateKeyExA(HKEY hKey, const char* lpSubKey, std::uint32_t Reserved,
                             const char* lpClass, std::uint32_t dwOptions, std::uint32_t samDesired,
                             const void* lpSecurityAttributes, HKEY* phkResult,
                             std::uint32_t* lpdwDisposition);

std::int32_t RegCloseKey(HKEY hKey);

// With `lpData` null, reports the type and byte size alone; with a buffer too small,
// ERROR_MORE_DATA and the size needed.
std::int32_t RegQueryValueExA(HKEY hKey, const char* lpValueName, std::uint32_t* lpReserved,
                              std::uint32_t* lpType, std::uint8_t* lpData, std::uint32_t* lpcbData);

// Stores exactly the bytes given: a REG_SZ value written without its terminating NUL stays
// without one.
std::int32_t RegSetValueExA(HKEY hKey, const char* lpValueName, std::uint32_t Reserved,
                            std::uint32_t dwType, const std::uint8_t* lpData, std::uint32_t cbData);

std::int32_t RegDeleteValueA(HKEY hKey, const char* lpValueName);

// Deletes a key that has no subkeys (ERROR_ACCESS_DENIED otherwise).
std::int32_t RegDeleteKeyA(HKEY hKey, const char* lpSubKey);

// Name lengths are in characters without the terminating NUL, data lengths in bytes.
std::int32_t RegQueryInfoKeyA(HKEY hKey, char* lpClass, std::uint32_t* lpcchClass,
                              std::uint32_t* lpReserved, std::uint32_t* lpcSubKeys,
                              std::uint32_t* lpcbMaxSubKeyLen, std::uint32_t* lpcbMaxClassLen,
                              std::uint32_t* lpcValues, std::uint32_t* lpcbMaxValueNameLen,
                              std::uint32_t* lpcbMaxValueLen, std::uint32_t* lpcbSecurityDescriptor,
                              FILETIME* lpftLastWriteTime);

// The value at `dwIndex`, ERROR_NO_MORE_ITEMS past the last. `*lpcchValueName` gives the
// name buffer's size in characters and receives the name's length.
std::int32_t RegEnumValueA(HKEY hKey, std::uint32_t dwIndex, char* lpValueName,
                           std::uint32_t* lpcchValueName, std::uint32_t* lpReserved,
                           std::uint32_t* lpType, std::uint8_t* lpData, std::uint32_t* lpcbData);

// The subkey at `dwIndex`, ERROR_NO_MORE_ITEMS past the last.
std::int32_t RegEnumKeyExA(HKEY hKey, std::uint32_t dwIndex, char* lpName, std::uint32_t* lpcchName,
                           std::uint32_t* lpReserved, char* lpClass, std::uint32_t* lpcchClass,
                           FILETIME* lpftLastWriteTime);

}  // namespace sledway::platform
