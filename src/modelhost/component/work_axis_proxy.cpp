#include "modelhost/component/work_axis_proxy.hpp"

#include <memory>
#include <utility>

#include "modelhost/component/component.hpp"
#include "modelhost/component/work_axis_line.hpp"
#include "modelhost/part/part.hpp"

namespace sledway::model {

WorkAxisProxy::WorkAxisProxy(OccurrenceLink component, std::string name)
    : component_(std::move(component)), name_(std::move(name)) {}

Ref<IVLine> WorkAxisProxy::GetLine() {
  auto component = component_.Occurrence();
  return std::make_shared<WorkAxisLine>(component_, component->Part()->WorkAxis(name_));
}

Ref<IVComponent> WorkAxisProxy::ContainingOccurrence() {
  return component_.Occurrence();
}

bool WorkAxisProxy::PassesFilter(IVSelectFilter filter) {
  return filter == IVSelectFilter::kWorkAxis;
}

}  // namespace sledway::model
