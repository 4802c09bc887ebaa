#include "modelhost/collections/object_collection.hpp"

#include "host/host_error.hpp"
#include "modelhost/collections/collection_index.hpp"

namespace sledway::model {

void ObjectCollection::Add(const Ref<IVObject>& object) {
  if (!object) throw HostError(hresult::kPointer, "object collection: cannot add a missing object");
  objects_.push_back(object);
}

int ObjectCollection::Count() {
  return static_cast<int>(objects_.size());
}

Ref<IVObject> ObjectCollection::Item(int index) {
  return objects_[CollectionPosition(index, objects_.size(), "object collection")];
}

}  // namespace sledway::model
