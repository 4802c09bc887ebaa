#pragma once

#include "host/codes.hpp"

namespace sledway::model {

// What an entity of the model host tells an interaction: whether a selection filter admits it.
// Entities that are not Selectable are never offered for pre-selection.
class Selectable {
 public:
  virtual ~Selectable() = default;
  virtual bool PassesFilter(IVSelectFilter filter) = 0;
};

}  // namespace sledway::model
