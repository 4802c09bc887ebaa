#include "modelhost/component/vertex_proxy.hpp"

#include <BRep_Tool.hxx>
#include <memory>

#include "modelhost/component/component.hpp"
#include "modelhost/geometry/point.hpp"
#include "modelhost/part/part.hpp"

namespace sledway::model {

VertexProxy::VertexProxy(OccurrenceLink component, int index)
    : component_(std::move(component)), index_(index) {}

Ref<IVPoint> VertexProxy::GetPoint() {
  auto component = component_.Occurrence();
  const gp_Pnt local = BRep_Tool::Pnt(component->Part()->Vertex(index_));
  return std::make_shared<Point>(local.Transformed(component->Placement()));
}

Ref<IVComponent> VertexProxy::ContainingOccurrence() {
  return component_.Occurrence();
}

bool VertexProxy::PassesFilter(IVSelectFilter filter) {
  return filter == IVSelectFilter::kPartVertex;
}

}  // namespace sledway::model
