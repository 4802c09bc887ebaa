#pragma once

#include <vector>

#include "host/collections.hpp"

namespace sledway::model {

// A collection an add-in fills itself, in the order of its Add calls.
class ObjectCollection : public IVObjectCollection {
 public:
  // Refuses a missing object: a collection of the host holds objects only.
  void Add(const Ref<IVObject>& object) override;
  int Count() override;
  Ref<IVObject> Item(int index) override;

 private:
  std::vector<Ref<IVObject>> objects_;
};

}  // namespace sledway::model
