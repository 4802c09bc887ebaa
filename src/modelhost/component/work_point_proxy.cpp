#include "modelhost/component/work_point_proxy.hpp"

#include <memory>
#include <utility>

#include "modelhost/component/component.hpp"
#include "modelhost/geometry/point.hpp"
#include "modelhost/part/part.hpp"

namespace sledway::model {

WorkPointProxy::WorkPointProxy(OccurrenceLink component, std::string name)
    : component_(std::move(component)), name_(std::move(name)) {}

Ref<IVPoint> WorkPointProxy::GetPoint() {
  auto component = component_.Occurrence();
  return std::make_shared<Point>(
      component->Part()->WorkPoint(name_).Transformed(component->Placement()));
}

Ref<IVComponent> WorkPointProxy::ContainingOccurrence() {
  return component_.Occurrence();
}

bool WorkPointProxy::PassesFilter(IVSelectFilter filter) {
  return filter == IVSelectFilter::kWorkPoint;
}

}  // namespace sledway::model
