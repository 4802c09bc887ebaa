#include "clearance/clearance_check.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "modelhost/component/component.hpp"
#include "modelhost/part/part.hpp"

namespace sledway::clearance {

ClearanceCheck::ClearanceCheck(Ref<model::Component> moving,
                               std::vector<Ref<model::Component>> others, double tolerance)
    : moving_(std::move(moving)), others_(std::move(others)), tolerance_(tolerance) {
  if (!moving_) throw std::invalid_argument("the clearance check needs a moving component");
  if (!(tolerance_ >= 0.0) || !std::isfinite(tolerance_)) {
    throw std::invalid_argument("the contact tolerance must be a length of 0 or more");
  }
  for (const Ref<model::Component>& other : others_) {
    if (!other || other == moving_) {
      throw std::invalid_argument("the clearance of '" + moving_->ComponentName() +
                                  "' is measured against other components, not itself");
    }
  }
}

Clearance ClearanceCheck::Measure() {
  Clearance result;
  const PartHierarchy& moving = cache_.For(moving_->Part());
  const gp_Trsf movingPlace = moving_->Placement();
  std::optional<double> nearestFree;  // the least distance to a component out of contact
  for (const Ref<model::Component>& other : others_) {
    // A component farther than the nearest out of contact so far can be neither the nearest
    // nor in contact, nor nearer than the free distance.
    const double beyond =
        nearestFree ? std::max(*nearestFree, tolerance_) : std::numeric_limits<double>::max();
    const std::optional<PairClearance> pair = MeasurePair(
        moving, movingPlace, cache_.For(other->Part()), other->Placement(), beyond, tolerance_);
    if (!pair) continue;
    result.bound = result.nearest ? std::min(result.bound, pair->bound) : pair->bound;
    if (pair->measuredExactly) ++result.measuredExactly;
    if (pair->distance <= tolerance_) {
      result.inContact.push_back(other->ComponentName());
    } else {
      // The bound holds whatever the solves did; the exact distance stands in only where the
      // bound lies within the tolerance and so cannot show the component out of contact.
      const double free = pair->bound > tolerance_ ? pair->bound : pair->distance;
      result.freeDistance = std::min(result.freeDistance.value_or(free), free);
      nearestFree = std::min(nearestFree.value_or(pair->distance), pair->distance);
    }
    if (!result.nearest || pair->distance < result.nearest->distance) {
      result.nearest = pair;
      result.nearestComponent = other->ComponentName();
    }
  }
  return result;
}

std::vector<int> ClearanceCheck::PartGenerations() const {
  std::vector<int> generations{moving_->Part()->Generation()};
  for (const Ref<model::Component>& other : others_) {
    generations.push_back(other->Part()->Generation());
  }
  return generations;
}

}  // namespace sledway::clearance
