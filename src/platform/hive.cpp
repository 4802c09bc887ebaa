#include "platform/hive.hpp"

#include <algorithm>
#include <utility>

namespace sledway::platform {
namespace {

constexpr std::size_t kMaxKeyNameLength = 255;

unsigned char FoldCase(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// The separator sorts before every other character, so "a\b" comes before "a b".
unsigned char PathOrder(char c) {
  return c == '\\' ? 0 : FoldCase(c);
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

// Whether `path` lies below `ancestor` (for the root "", every other key does).
bool IsBelow(std::string_view path, std::string_view ancestor) {
  if (ancestor.empty()) return !path.empty();
  return path.size() > ancestor.size() && path[ancestor.size()] == '\\' &&
         SameName(path.substr(0, ancestor.size()), ancestor);
}

std::string_view ChildPart(std::string_view path, std::string_view parent) {
  return parent.empty() ? path : path.substr(parent.size() + 1);
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

bool NameLess::operator()(std::string_view a, std::string_view b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return FoldCase(x) < FoldCase(y); });
}

bool KeyPathLess::operator()(std::string_view a, std::string_view b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return PathOrder(x) < PathOrder(y); });
}

bool IsValidKeyPath(std::string_view path) {
  if (path.empty()) return true;
  if (HasLineBreak(path)) return false;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = std::min(path.find('\\', start), path.size());
    const std::size_t length = end - start;
    if (length == 0 || length > kMaxKeyNameLength) return false;
    if (end == path.size()) return true;
    start = end + 1;
  }
}

bool IsValidValueName(std::string_view name) {
  return !HasLineBreak(name);
}

const HiveValue* HiveKey::FindValue(std::string_view name) const {
  const auto found = positions_.find(name);
  return found == positions_.end() ? nullptr : &values_[found->second];
}

bool HiveKey::SetValue(std::string_view name, std::uint32_t type, std::vector<std::uint8_t> data) {
  const auto found = positions_.find(name);
  if (found == positions_.end()) {
    positions_.emplace(std::string(name), values_.size());
    values_.push_back(HiveValue{std::string(name), type, std::move(data)});
    return true;
  }
  HiveValue& value = values_[found->second];
  if (value.type == type && value.data == data) return false;
  value.type = type;
  value.data = std::move(data);
  return true;
}

bool HiveKey::DeleteValue(std::string_view name) {
  const auto found = positions_.find(name);
  if (found == positions_.end()) return false;
  const std::size_t position = found->second;
  positions_.erase(found);
  values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(position));
  for (auto& [other, index] : positions_) {
    if (index > position) --index;
  }
  return true;
}

Hive::Hive() {
  keys_.emplace(std::string(), HiveKey{});
}

const HiveKey* Hive::FindKey(std::string_view path) const {
  const auto found = keys_.find(path);
  return found == keys_.end() ? nullptr : &found->second;
}

HiveKey* Hive::FindKey(std::string_view path) {
  const auto found = keys_.find(path);
  return found == keys_.end() ? nullptr : &found->second;
}

const std::string* Hive::StoredPath(std::string_view path) const {
  const auto found = keys_.find(path);
  return found == keys_.end() ? nullptr : &found->first;
}

bool Hive::CreateKey(std::string_view path) {
  if (StoredPath(path)) return false;
  // Every key's parents are keys too: walking back from the path finds its deepest existing
  // ancestor after as many lookups as there are missing keys (one, when a file lists a key
  // after its parent), and each missing key then goes right after its new parent. Looking up
  // every ancestor instead would make a deep key cost the cube of its depth.
  std::string stored;  // the ancestor's path, in the spelling already in the hive
  KeyMap::iterator parent = keys_.end();
  std::size_t start = 0;  // where the first missing component begins
  for (std::size_t end = path.size();;) {
    const std::size_t cut = path.rfind('\\', end - 1);
    if (cut == std::string_view::npos) break;
    if (const auto found = keys_.find(path.substr(0, cut)); found != keys_.end()) {
      parent = found;
      stored = found->first;
      start = cut + 1;
      break;
    }
    end = cut;
  }
  while (start < path.size()) {
    const std::size_t end = std::min(path.find('\\', start), path.size());
    if (!stored.empty()) stored += '\\';
    stored += path.substr(start, end - start);
    const auto hint = parent == keys_.end() ? keys_.end() : std::next(parent);
    parent = keys_.emplace_hint(hint, stored, HiveKey{});
    start = end + 1;
  }
  return true;
}

DeleteKeyResult Hive::DeleteKey(std::string_view path) {
  if (path.empty()) return DeleteKeyResult::kIsRoot;
  const auto found = keys_.find(path);
  if (found == keys_.end()) return DeleteKeyResult::kMissing;
  const auto next = std::next(found);
  if (next != keys_.end() && IsBelow(next->first, found->first)) {
    return DeleteKeyResult::kHasSubkeys;
  }
  keys_.erase(found);
  return DeleteKeyResult::kDeleted;
}

std::vector<std::string> Hive::SubkeyNames(std::string_view path) const {
  std::vector<std::string> names;
  // Descendants follow their ancestor directly in key path order.
  for (auto it = keys_.upper_bound(path); it != keys_.end() && IsBelow(it->first, path); ++it) {
    const std::string_view child = ChildPart(it->first, path);
    if (child.find('\\') == std::string_view::npos) names.emplace_back(child);
  }
  return names;
}

}  // namespace sledway::platform
