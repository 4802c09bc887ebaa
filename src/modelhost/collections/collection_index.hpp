#pragma once

#include <cstddef>
#include <string>

#include "host/host_error.hpp"

namespace sledway::model {

// The 0-based position of the 1-based `index` into a collection of `count` items; fails with a
// bad-index error naming the collection otherwise.
inline std::size_t CollectionPosition(int index, std::size_t count, const char* what) {
  if (index < 1 || static_cast<std::size_t>(index) > count) {
    throw HostError(hresult::kBadIndex, std::string(what) + ": no item " + std::to_string(index) +
                                            " (it holds " + std::to_string(count) + ")");
  }
  return static_cast<std::size_t>(index - 1);
}

}  // namespace sledway::model
