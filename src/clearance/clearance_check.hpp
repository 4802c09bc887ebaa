#pragma once

#include <optional>
#include <string>
#include <vector>

#include "clearance/hierarchy_cache.hpp"
#include "clearance/pair_clearance.hpp"
#include "host/object.hpp"

namespace sledway::model {
class Component;
}

namespace sledway::clearance {

// How close the moving component comes to the others where it stands now.
struct Clearance {
  // The nearest other component, by exact distance; none when no other is measured.
  std::optional<PairClearance> nearest;
  std::string nearestComponent;
  // Every component within the tolerance or overlapping, in the order they were given.
  std::vector<std::string> inContact;
  // Below the nearest distance, and no more than the meshes' deflections below it: no other
  // component comes nearer than this.
  double bound = 0.0;
  // How many components' distances were measured exactly because the refinement's could not be
  // certified.
  int measuredExactly = 0;
  // No component out of contact comes nearer than this: the least, over those components, of
  // the bound (or of the exactly measured distance where the bound lies within the tolerance),
  // always above the tolerance; none when every component is in contact or none is
  // measured. How far the moving component may go before it can touch one more.
  std::optional<double> freeDistance;
};

// The clearance of one component against others, measured after each move. Each part's
// triangles are put in a hierarchy once and reused at every placement; the distance is then
// found on the exact surfaces of the faces the mesh points to.
class ClearanceCheck {
 public:
  // `tolerance` (model units, at least 0): a distance at or below it counts as contact. Fails
  // (std::invalid_argument) on a negative or not finite tolerance, a missing moving component,
  // or one of `others` that is the moving component itself.
  ClearanceCheck(Ref<model::Component> moving, std::vector<Ref<model::Component>> others,
                 double tolerance);

  Clearance Measure();

  double Tolerance() const { return tolerance_; }
  const Ref<model::Component>& Moving() const { return moving_; }
  // The generation of every part measured, the moving one's first: a recompute that rebuilt
  // one of them changes it.
  std::vector<int> PartGenerations() const;
  const HierarchyCache& Hierarchies() const { return cache_; }

 private:
  Ref<model::Component> moving_;
  std::vector<Ref<model::Component>> others_;
  double tolerance_;
  HierarchyCache cache_;
};

}  // namespace sledway::clearance
