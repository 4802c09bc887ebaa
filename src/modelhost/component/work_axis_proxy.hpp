#pragma once

#include <string>

#include "host/part_entities.hpp"
#include "modelhost/component/occurrence_link.hpp"
#include "modelhost/interaction/selectable.hpp"

namespace sledway::model {

// A work axis of a part seen through one component.
class WorkAxisProxy : public IVAxis, public Selectable {
 public:
  WorkAxisProxy(OccurrenceLink component, std::string name);

  // The axis's line in assembly coordinates, following the component as it moves.
  Ref<IVLine> GetLine() override;
  Ref<IVComponent> ContainingOccurrence() override;
  bool PassesFilter(IVSelectFilter filter) override;
  const std::string& Name() const { return name_; }

 private:
  OccurrenceLink component_;
  std::string name_;
};

}  // namespace sledway::model
