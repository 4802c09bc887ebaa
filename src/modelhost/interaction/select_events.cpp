#include "modelhost/interaction/select_events.hpp"

#include <algorithm>

#include "modelhost/collections/entity_collection.hpp"
#include "modelhost/interaction/selectable.hpp"

namespace sledway::model {

void SelectEvents::SingleSelect(bool single) {
  single_ = single;
}

void SelectEvents::AddSelectionFilter(IVSelectFilter filter) {
  if (std::find(filters_.begin(), filters_.end(), filter) == filters_.end()) {
    filters_.push_back(filter);
  }
}

Ref<IVEntityCollection> SelectEvents::GetSelectedEntities() {
  return std::make_shared<EntityCollection>(selected_);
}

bool SelectEvents::Admits(const Ref<IVObject>& entity) const {
  const auto selectable = std::dynamic_pointer_cast<Selectable>(entity);
  return selectable && std::any_of(filters_.begin(), filters_.end(), [&](IVSelectFilter filter) {
           return selectable->PassesFilter(filter);
         });
}

void SelectEvents::Select(const std::vector<Ref<IVObject>>& entities) {
  if (single_) {
    selected_.clear();
    selectedObjects_.clear();
  }
  for (const Ref<IVObject>& entity : entities) {
    if (selectedObjects_.insert(entity.get()).second) selected_.push_back(entity);
  }
}

}  // namespace sledway::model
