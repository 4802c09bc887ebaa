#include "modelhost/parameters/parameter_collection.hpp"

#include <string>

#include "host/host_error.hpp"

namespace sledway::model {

void ParameterCollection::Add(const Ref<IVObject>& object) {
  if (!object) throw HostError(hresult::kPointer, "cannot add a null object to a collection");
  objects_.push_back(object);
}

int ParameterCollection::Count() {
  return static_cast<int>(objects_.size());
}

Ref<IVObject> ParameterCollection::Item(int index) {
  if (index < 1 || index > Count()) {
    throw HostError(hresult::kBadIndex, "index " + std::to_string(index) +
                                            " is outside the collection of " +
                                            std::to_string(Count()) + " objects");
  }
  return objects_[static_cast<std::size_t>(index) - 1];
}

}  // namespace sledway::model
