#pragma once

#include <vector>

#include "host/collections.hpp"

namespace sledway::model {

// A plain collection of host objects, in the order they were added, as a parameter reports its
// inputs. Each call for inputs gives a new collection, so what a caller adds stays its own.
class ParameterCollection final : public IVObjectCollection {
 public:
  ParameterCollection() = default;

  // Refuses a null object with HostError(kPointer).
  void Add(const Ref<IVObject>& object) override;
  int Count() override;
  // Positions run from 1; others fail with HostError(kBadIndex).
  Ref<IVObject> Item(int index) override;

 private:
  std::vector<Ref<IVObject>> objects_;
};

}  // namespace sledway::model
