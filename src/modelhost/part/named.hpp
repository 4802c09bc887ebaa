#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/host_error.hpp"

namespace sledway::model {

// Lookups by name in the small, ordered lists of the model (parts, components, sketches, work
// features): names are unique per list and kept in the order they were added.

// The element of `items` whose name `nameOf` gives `name`, or a null/empty value.
template <class T, class NameOf>
const T* FindNamed(const std::vector<T>& items, const std::string& name, NameOf nameOf) {
  for (const auto& item : items) {
    if (nameOf(item) == name) return &item;
  }
  return nullptr;
}

// Fails when the name is empty or `owner` (such as "part 'cart'") already has a `kind` (such as
// "work point") of that name.
template <class T, class NameOf>
void RequireNewName(const std::vector<T>& items, const std::string& name, NameOf nameOf,
                    const std::string& kind, const std::string& owner) {
  if (name.empty())
    throw HostError(hresult::kInvalidArg, "a " + kind + " of " + owner + " needs a name");
  if (FindNamed(items, name, nameOf)) {
    throw HostError(hresult::kInvalidArg,
                    owner + " already has a " + kind + " named '" + name + "'");
  }
}

// The names of one list with their positions in it, for lists that grow long (components, work
// points): a new name is checked and a name is found in constant time, so building a list of n
// elements stays linear.
class NameIndex {
 public:
  // Fails as RequireNewName does.
  void RequireNew(const std::string& name, const std::string& kind,
                  const std::string& owner) const {
    if (name.empty())
      throw HostError(hresult::kInvalidArg, "a " + kind + " of " + owner + " needs a name");
    if (positions_.contains(name)) {
      throw HostError(hresult::kInvalidArg,
                      owner + " already has a " + kind + " named '" + name + "'");
    }
  }
  // Records the name of the element just put at `position`.
  void Add(const std::string& name, std::size_t position) { positions_.emplace(name, position); }
  std::optional<std::size_t> Find(const std::string& name) const {
    const auto found = positions_.find(name);
    if (found == positions_.end()) return std::nullopt;
    return found->second;
  }

 private:
  std::unordered_map<std::string, std::size_t> positions_;
};

template <class T, class NameOf>
std::vector<std::string> NamesOf(const std::vector<T>& items, NameOf nameOf) {
  std::vector<std::string> names;
  names.reserve(items.size());
  for (const auto& item : items) names.push_back(nameOf(item));
  return names;
}

}  // namespace sledway::model
