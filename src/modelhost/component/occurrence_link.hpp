#pragma once

#include <functional>
#include <gp_Trsf.hxx>
#include <memory>

#include "host/object.hpp"

namespace sledway::model {

class Component;

// How an entity reaches the component it is seen through. The link is weak: a component keeps
// its proxies, so a strong link back would be a cycle. An entity of the assembly itself has no
// component and stands where its own coordinates say.
class OccurrenceLink {
 public:
  // An entity the assembly owns itself.
  OccurrenceLink() = default;
  explicit OccurrenceLink(std::weak_ptr<Component> component);

  bool OnComponent() const { return onComponent_; }
  // Null for the assembly's own entities; fails when the component no longer exists.
  Ref<Component> Occurrence() const;
  // Where the component stands now (identity for the assembly's own entities).
  gp_Trsf Placement() const;
  // Reads the placement afresh at every call; empty for the assembly's own entities.
  std::function<gp_Trsf()> LivePlacement() const;

 private:
  std::weak_ptr<Component> component_;
  bool onComponent_ = false;
};

}  // namespace sledway::model
