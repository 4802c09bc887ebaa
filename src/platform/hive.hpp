#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace sledway::platform {

// Key and value names compare as the registry compares them: without regard to case. Only
// ASCII letters fold; other bytes compare as they are.
bool SameName(std::string_view a, std::string_view b);

// Orders names without regard to case.
struct NameLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};

// Orders key paths one component at a time without regard to case, so that a key comes right
// before its subkeys, and its subkeys before its next sibling: the order of a registry export.
struct KeyPathLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};

// A key path is relative to the root: components joined by '\', "" for the root itself. A
// component is 1 to 255 characters, holds no line break, and no '\' since that separates them.
bool IsValidKeyPath(std::string_view path);

// A value name ("" names the key's default value) holds no line break, so that every name can
// be written into the hive file and read back.
bool IsValidValueName(std::string_view name);

// One value: its registry type code and its bytes exactly as they were set.
struct HiveValue {
  std::string name;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;

  bool operator==(const HiveValue&) const = default;
};

// One key's values, in the order they were first set, with an index by name: a key may hold
// thousands of values, and parsing the file sets each of them.
class HiveKey {
 public:
  const std::vector<HiveValue>& Values() const { return values_; }
  const HiveValue* FindValue(std::string_view name) const;

  // Sets the value, keeping the spelling of its name from when it was first set. Returns
  // whether anything changed.
  bool SetValue(std::string_view name, std::uint32_t type, std::vector<std::uint8_t> data);

  // Returns whether the value existed.
  bool DeleteValue(std::string_view name);

  bool operator==(const HiveKey&) const = default;

 private:
  std::vector<HiveValue> values_;
  std::map<std::string, std::size_t, NameLess> positions_;
};

enum class DeleteKeyResult { kDeleted, kMissing, kHasSubkeys, kIsRoot };

// All keys under the current user's root, each under its path as first written. Paths given
// to the methods must be valid (IsValidKeyPath) and may be spelt in any case.
class Hive {
 public:
  using KeyMap = std::map<std::string, HiveKey, KeyPathLess>;

  // Holds the root key alone.
  Hive();

  const KeyMap& Keys() const { return keys_; }

  const HiveKey* FindKey(std::string_view path) const;
  HiveKey* FindKey(std::string_view path);

  // The path of an existing key spelt as it was first written.
  const std::string* StoredPath(std::string_view path) const;

  // Creates the key and any of its parents that are missing. Returns whether it created any.
  bool CreateKey(std::string_view path);

  // A key that still has subkeys is kept, as the registry keeps it.
  DeleteKeyResult DeleteKey(std::string_view path);

  // The names (last components) of the key's direct subkeys, in key path order.
  std::vector<std::string> SubkeyNames(std::string_view path) const;

  bool operator==(const Hive&) const = default;

 private:
  KeyMap keys_;
};

}  // namespace sledway::platform
