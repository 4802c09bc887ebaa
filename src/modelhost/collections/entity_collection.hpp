#pragma once

#include <vector>

#include "host/collections.hpp"

namespace sledway::model {

// A read-only list of entities handed out by the host (a selection, a tangent chain).
class EntityCollection : public IVEntityCollection {
 public:
  explicit EntityCollection(std::vector<Ref<IVObject>> entities);

  int Count() override;
  Ref<IVObject> Item(int index) override;

 private:
  std::vector<Ref<IVObject>> entities_;
};

}  // namespace sledway::model
