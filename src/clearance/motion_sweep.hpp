#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "clearance/clearance_check.hpp"
#include "clearance/travel_bound.hpp"
#include "host/application.hpp"
#include "host/geometry.hpp"

namespace sledway {
class CPath;
}

namespace sledway::clearance {

// The clearance of the moving component over the motion between two moves: at any fraction
// between them it stands where the add-in's follow motion puts it, started from the earlier
// move's placement. Measuring at a fraction and stepping on no farther than the distance
// measured allows (the travel bound), the stretch is covered without a gap.
class MotionSweep {
 public:
  // `check` measures the path's follow component.
  MotionSweep(Ref<IVApplication> app, CPath& path, ClearanceCheck& check);

  // Why the motion between moves has no bound; empty when it has one.
  const std::string& Unbounded() const { return travel_.Unbounded(); }

  // The fractions that start each stretch of the motion from `from` to `to` that the follow
  // motion makes without a jump, with where each ends: one stretch per entity the motion
  // crosses (at an entity's end the component's turn may jump, so the next stretch starts just
  // past it).
  struct Stretch {
    double start;
    double end;
  };
  std::vector<Stretch> Stretches(double from, double to) const;

  // A measurement on the way, and how far the component stood turned from the earlier move.
  struct Sample {
    double fraction = 0.0;
    Clearance clearance;
    double turned = 0.0;  // radians
  };

  // Remembers the placement the component has now, at the earlier move of a stretch, where
  // `there` was measured at `fraction`.
  Sample StartAtMove(double fraction, Clearance there);
  // The component put at `fraction` by the follow motion from the placement at the earlier
  // move, and measured there. It is left there.
  Sample At(double fraction);
  // The next fraction to measure after `from` on the way to `to` within one stretch: as far as
  // no point of the component can come within the tolerance of a component it did not touch
  // at `from`; where it touched every one, `to`. None when the component stands turned too far
  // from the earlier move for its turn to be bounded.
  std::optional<double> Next(const Sample& from, double to);

  // Every measurement made so far, at moves and between them.
  std::int64_t Measurements() const { return measurements_; }
  // Counts a measurement made at a move.
  void CountMeasurement() { ++measurements_; }

 private:
  double Radius();

  Ref<IVApplication> app_;
  CPath& path_;
  ClearanceCheck& check_;
  TravelBound travel_;
  Ref<IVMatrix> atMove_;
  gp_Trsf atMovePlace_;
  int radiusGeneration_ = -1;
  double radius_ = 0.0;
  std::int64_t measurements_ = 0;
};

}  // namespace sledway::clearance
