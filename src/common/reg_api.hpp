#pragma once

#include <cstdint>
#include <string>

#include "common/reg_value.hpp"
#include "platform/registry.hpp"

namespace sledway {

// Named settings of the current user in the registry, addressed by application name, section
// and key, under HKEY_CURRENT_USER and the base path "Software\Autodesk\Inventor".
//
// The application name follows the base path directly, without a backslash: the settings of
// application "Sledway", section "Settings" live in
// "Software\Autodesk\InventorSledway\Settings". That is where earlier versions stored them.
//
// No key stays open between calls. Registry failures are not reported by GetSetting and
// SaveSetting: a missing value reads as the default, a failed write leaves the store as it
// was. A value that cannot be converted to the type asked for throws HostError before anything
// is written.
class CRegAPI {
 public:
  CRegAPI();

  // The value, or DEFAULT when it is missing or is empty text. A stored 0 is 0.
  RegValue GetSetting(const std::string& appname, const std::string& section,
                      const std::string& Key, const RegValue& DEFAULT = RegValue()) const;

  // Writes `setting`, creating the keys as needed. With lValueType 0 the type is REG_DWORD
  // for a number or text that reads as one (rounded to the nearest 32-bit integer, halves to
  // even), else REG_SZ; the chosen type is written back into lValueType.
  void SaveSetting(const std::string& appname, const std::string& section, const std::string& Key,
                   const RegValue& setting, std::int32_t& lValueType) const;
  void SaveSetting(const std::string& appname, const std::string& section, const std::string& Key,
                   const RegValue& setting) const;

  // With a Key, deletes that value; without one, the subkey `section` of the application's
  // key, or with no section either the application's key itself. A key that still has
  // subkeys stays.
  void DeleteSetting(const std::string& appname, const std::string& section,
                     const std::string& Key = std::string()) const;

  // The value `sValueName` of the key `sKeyName` (a path under the root), or empty.
  RegValue QueryValue(const std::string& sKeyName, const std::string& sValueName) const;

  // One row per value of the section's key: {name, value}.
  RegTable GetAllSettings(const std::string& appname,
                          const std::string& section = std::string()) const;

  // One row per subkey of the section's key: {empty, name, class text}; the name sits in
  // column 1 where callers of this class look for it.
  RegTable GetAllKeys(const std::string& appname, const std::string& section = std::string()) const;

  // Creates (or opens) the key under the root and writes the value with type lValueType.
  void SetKeyValue(const std::string& sKeyName, const std::string& sValueName,
                   const RegValue& vValueSetting, std::int32_t lValueType) const;

  // Creates (or opens) the key and all keys on its path.
  void CreateKey(const std::string& sKeyName) const;

  // Writes one value into an open key as REG_SZ (1), REG_BINARY (3) or REG_DWORD (4); any
  // other type writes nothing and returns 0. Returns the registry's result code.
  std::int32_t SetValueEx(platform::HKEY hKey, const std::string& sValueName, std::int32_t lType,
                          const RegValue& vValue) const;

  // Reads one value of an open key into vValue. Returns 0 when there is no such value (and
  // leaves vValue as it was), -1 for a type other than REG_SZ, REG_BINARY and REG_DWORD, and
  // the registry's result code of the read otherwise. Text loses its last character only when
  // that is its terminating NUL, so text stored without one by another program stays whole.
  std::int32_t QueryValueEx(platform::HKEY lhKey, std::string szValueName, RegValue& vValue) const;

 private:
  std::string KeyPath(const std::string& appname, const std::string& section) const;

  platform::HKEY root_;
  std::string basePath_;
};

}  // namespace sledway
