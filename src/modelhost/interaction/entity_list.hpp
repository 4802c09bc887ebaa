#pragma once

#include <vector>

#include "host/collections.hpp"

namespace sledway::model {

// The entities an interaction hands to its handlers: a selection, or what was just selected.
class EntityList : public IVEntityCollection {
 public:
  explicit EntityList(std::vector<Ref<IVObject>> entities);

  int Count() override;
  // Fails with a bad-index error outside 1 to Count.
  Ref<IVObject> Item(int index) override;

 private:
  std::vector<Ref<IVObject>> entities_;
};

}  // namespace sledway::model
