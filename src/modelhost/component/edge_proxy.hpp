#pragma once

#include "host/part_entities.hpp"
#include "modelhost/component/occurrence_link.hpp"
#include "modelhost/interaction/selectable.hpp"

namespace sledway::model {

// An edge of a part seen through one component. It keeps naming the same topological edge when
// the part is rebuilt with other dimensions.
class EdgeProxy : public IVEdgeProxy, public Selectable {
 public:
  EdgeProxy(OccurrenceLink component, int index);

  // Evaluates the edge's curve (the underlying curve's own parameters) in assembly
  // coordinates, reading the component's placement at every query and following rebuilds of
  // the part.
  Ref<IVCurveEvaluator> GetEvaluator() override;
  // The tangent-continuous chain through this edge, as proxies of the same component.
  Ref<IVEntityCollection> GetTangentChain() override;
  Ref<IVComponent> ContainingOccurrence() override;
  // Any edge passes the edge filter; only a straight one the straight-edge filter.
  bool PassesFilter(IVSelectFilter filter) override;
  int Index() const { return index_; }

 private:
  OccurrenceLink component_;
  int index_;
};

}  // namespace sledway::model
