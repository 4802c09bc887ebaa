#include "modelhost/interaction/entity_list.hpp"

#include <utility>

#include "modelhost/collections/collection_index.hpp"

namespace sledway::model {

EntityList::EntityList(std::vector<Ref<IVObject>> entities) : entities_(std::move(entities)) {}

int EntityList::Count() {
  return static_cast<int>(entities_.size());
}

Ref<IVObject> EntityList::Item(int index) {
  return entities_[CollectionPosition(index, entities_.size(), "selected entities")];
}

}  // namespace sledway::model
