#include "modelhost/component/edge_proxy.hpp"

#include <BRepAdaptor_Curve.hxx>
#include <BRep_Tool.hxx>
#include <memory>
#include <string>
#include <vector>

#include "modelhost/collections/entity_collection.hpp"
#include "modelhost/component/component.hpp"
#include "modelhost/component/edge_evaluator.hpp"
#include "modelhost/part/part.hpp"
#include "modelhost/topology/tangent_chain.hpp"

namespace sledway::model {

EdgeProxy::EdgeProxy(OccurrenceLink component, int index)
    : component_(std::move(component)), index_(index) {}

Ref<IVCurveEvaluator> EdgeProxy::GetEvaluator() {
  auto component = component_.Occurrence();
  return std::make_shared<EdgeEvaluator>(
      component->Part(), index_, component_.LivePlacement(),
      "edge " + std::to_string(index_) + " of component '" + component->ComponentName() + "'");
}

Ref<IVEntityCollection> EdgeProxy::GetTangentChain() {
  auto component = component_.Occurrence();
  std::vector<Ref<IVObject>> chain;
  for (int index : TangentChain(component->Part()->Edges(), index_)) {
    chain.push_back(component->Edge(index));
  }
  return std::make_shared<EntityCollection>(std::move(chain));
}

Ref<IVComponent> EdgeProxy::ContainingOccurrence() {
  return component_.Occurrence();
}

bool EdgeProxy::PassesFilter(IVSelectFilter filter) {
  // A collapsed edge (the pole of a sphere) is nothing a user could point at.
  const TopoDS_Edge edge = component_.Occurrence()->Part()->Edge(index_);
  if (BRep_Tool::Degenerated(edge)) return false;
  switch (filter) {
    case IVSelectFilter::kPartEdge:
      return true;
    case IVSelectFilter::kPartEdgeLinear:
      return BRepAdaptor_Curve(edge).GetType() == GeomAbs_Line;
    default:
      return false;
  }
}

}  // namespace sledway::model
