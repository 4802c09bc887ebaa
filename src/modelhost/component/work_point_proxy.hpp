#pragma once

#include <string>

#include "host/part_entities.hpp"
#include "modelhost/component/occurrence_link.hpp"
#include "modelhost/interaction/selectable.hpp"

namespace sledway::model {

// A work point of a part seen through one component.
class WorkPointProxy : public IVWorkPoint, public Selectable {
 public:
  WorkPointProxy(OccurrenceLink component, std::string name);

  // Where the work point stands now, in assembly coordinates.
  Ref<IVPoint> GetPoint() override;
  Ref<IVComponent> ContainingOccurrence() override;
  bool PassesFilter(IVSelectFilter filter) override;
  const std::string& Name() const { return name_; }

 private:
  OccurrenceLink component_;
  std::string name_;
};

}  // namespace sledway::model
