#pragma once

#include <unordered_set>
#include <vector>

#include "host/interaction.hpp"

namespace sledway::model {

// The selection side of one interaction: which kinds of entity it offers and what the user has
// selected so far. Its Interaction drives it.
class SelectEvents : public IVSelectEvents {
 public:
  // Multiple selection until the add-in asks for single selection.
  void SingleSelect(bool single) override;
  void AddSelectionFilter(IVSelectFilter filter) override;
  // A snapshot of the selection, in the order it was made.
  Ref<IVEntityCollection> GetSelectedEntities() override;

  // Whether one of the filters admits `entity`; entities that are not model::Selectable never
  // pass.
  bool Admits(const Ref<IVObject>& entity) const;
  // Adds `entities` to the selection, or makes them the whole selection in single selection.
  // An entity already selected keeps its place.
  void Select(const std::vector<Ref<IVObject>>& entities);

 private:
  bool single_ = false;
  std::vector<IVSelectFilter> filters_;
  std::vector<Ref<IVObject>> selected_;
  // The objects of selected_, so that a path of many curves is selected in linear time.
  std::unordered_set<const IVObject*> selectedObjects_;
};

}  // namespace sledway::model
