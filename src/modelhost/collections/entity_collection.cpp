#include "modelhost/collections/entity_collection.hpp"

#include <utility>

#include "modelhost/collections/collection_index.hpp"

namespace sledway::model {

EntityCollection::EntityCollection(std::vector<Ref<IVObject>> entities)
    : entities_(std::move(entities)) {}

int EntityCollection::Count() {
  return static_cast<int>(entities_.size());
}

Ref<IVObject> EntityCollection::Item(int index) {
  return entities_[CollectionPosition(index, entities_.size(), "entity collection")];
}

}  // namespace sledway::model
