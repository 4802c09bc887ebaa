#pragma once

#include "host/part_entities.hpp"
#include "modelhost/component/occurrence_link.hpp"
#include "modelhost/interaction/selectable.hpp"

namespace sledway::model {

// A vertex of a part seen through one component.
class VertexProxy : public IVVertex, public Selectable {
 public:
  VertexProxy(OccurrenceLink component, int index);

  // Where the vertex stands now, in assembly coordinates.
  Ref<IVPoint> GetPoint() override;
  Ref<IVComponent> ContainingOccurrence() override;
  bool PassesFilter(IVSelectFilter filter) override;
  int Index() const { return index_; }

 private:
  OccurrenceLink component_;
  int index_;
};

}  // namespace sledway::model
