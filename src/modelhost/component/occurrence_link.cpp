#include "modelhost/component/occurrence_link.hpp"

#include <utility>

#include "host/host_error.hpp"
#include "modelhost/component/component.hpp"

namespace sledway::model {

OccurrenceLink::OccurrenceLink(std::weak_ptr<Component> component)
    : component_(std::move(component)), onComponent_(true) {}

Ref<Component> OccurrenceLink::Occurrence() const {
  if (!onComponent_) return nullptr;
  auto component = component_.lock();
  if (!component) {
    throw HostError(hresult::kUnexpected, "the component this entity belongs to no longer exists");
  }
  return component;
}

gp_Trsf OccurrenceLink::Placement() const {
  if (!onComponent_) return {};
  return Occurrence()->Placement();
}

std::function<gp_Trsf()> OccurrenceLink::LivePlacement() const {
  if (!onComponent_) return {};
  return [link = *this] { return link.Placement(); };
}

}  // namespace sledway::model
